#include "ui/frm_about.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/fallback_icons.h"
#include "ui/named_control.h"

namespace ostrel::ui {

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName("frmAbout");
  setWindowTitle(QString("About ") + kMainCaption);
  auto* icon = new QLabel(this);
  icon->setPixmap(ProgramIcon().pixmap(48, 48));
  icon->setAlignment(Qt::AlignCenter);
  Label1 = Named<QLabel>("Label1", kMainCaption, this);
  Label1->setAlignment(Qt::AlignCenter);
  QFont large = Label1->font();
  large.setPointSizeF(large.pointSizeF() * 1.4);
  large.setBold(true);
  Label1->setFont(large);
  Command1 = Named<QPushButton>("Command1", "Done", this);
  Command1->setDefault(true);
  connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(icon);
  layout->addWidget(Label1);
  layout->addSpacing(12);
  layout->addWidget(Command1, 0, Qt::AlignCenter);
  resize(360, 180);
}

}  // namespace ostrel::ui
