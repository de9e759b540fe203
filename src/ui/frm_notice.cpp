#include "ui/frm_notice.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "settings/notice_marker.h"
#include "ui/guarded.h"
#include "ui/named_control.h"
#include "ui/qt_text.h"

namespace ostrel::ui {

frmNotice::frmNotice(std::filesystem::path programFolder, base::Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), programFolder_(std::move(programFolder)), dialogs_(dialogs) {
  setObjectName("frmNotice");
  setWindowTitle(ToQString(settings::kNoticeCaption));
  Text1 = Named<QPlainTextEdit>("Text1", this);
  Text1->setReadOnly(true);
  Text1->setPlainText(ToQString(settings::kNoticeText));
  Check1 = Named<QCheckBox>("Check1", ToQString(settings::kNoticeCheckBox), this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Text1);
  layout->addWidget(Check1);
  layout->addWidget(buttons);
  resize(460, 230);
}

void frmNotice::done(int result) {
  if (!closed_) {
    closed_ = true;
    RunGuarded(dialogs_, ActionName(Check1->text()),
               [this] { settings::CloseNotice(programFolder_, Check1->isChecked()); });
  }
  QDialog::done(result);
}

}  // namespace ostrel::ui
