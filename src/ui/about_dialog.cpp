#include "ui/about_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/fallback_icons.h"
#include "ui/named_control.h"

namespace ostrel::ui {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("AboutDialog");
  setWindowTitle(QString("About ") + kMainCaption);
  auto* icon = new QLabel(this);
  icon->setPixmap(ProgramIcon().pixmap(48, 48));
  icon->setAlignment(Qt::AlignCenter);
  captionLabel = Named<QLabel>("captionLabel", kMainCaption, this);
  captionLabel->setAlignment(Qt::AlignCenter);
  QFont large = captionLabel->font();
  large.setPointSizeF(large.pointSizeF() * 1.4);
  large.setBold(true);
  captionLabel->setFont(large);
  doneButton = Named<QPushButton>("doneButton", "Done", this);
  doneButton->setDefault(true);
  connect(doneButton, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(icon);
  layout->addWidget(captionLabel);
  layout->addSpacing(12);
  layout->addWidget(doneButton, 0, Qt::AlignCenter);
  resize(360, 180);
}

}  // namespace ostrel::ui
