#include "ui/frm_later.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace ostrel::ui {

frmLater::frmLater(const QString& windowName, const QString& title, QWidget* parent) : QDialog(parent) {
  setObjectName(windowName);
  setWindowTitle(title);
  auto* text = new QLabel(QString("The %1 window comes in a later version of Ostrel Encryption Email.").arg(title),
                          this);
  text->setObjectName("Label1");
  text->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addWidget(buttons);
  resize(380, 120);
}

}  // namespace ostrel::ui
