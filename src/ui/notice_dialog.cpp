#include "ui/notice_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "settings/notice_marker.h"
#include "ui/guarded.h"
#include "ui/named_control.h"
#include "ui/qt_text.h"

namespace ostrel::ui {

NoticeDialog::NoticeDialog(std::filesystem::path programFolder, base::Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), programFolder_(std::move(programFolder)), dialogs_(dialogs) {
  setObjectName("NoticeDialog");
  setWindowTitle(ToQString(settings::kNoticeCaption));
  noticeText = Named<QPlainTextEdit>("noticeText", this);
  noticeText->setReadOnly(true);
  noticeText->setPlainText(ToQString(settings::kNoticeText));
  dontShowAgainCheck = Named<QCheckBox>("dontShowAgainCheck", ToQString(settings::kNoticeCheckBox), this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(noticeText);
  layout->addWidget(dontShowAgainCheck);
  layout->addWidget(buttons);
  resize(460, 230);
}

void NoticeDialog::done(int result) {
  if (!closed_) {
    closed_ = true;
    RunGuarded(dialogs_, ActionName(dontShowAgainCheck->text()),
               [this] { settings::CloseNotice(programFolder_, dontShowAgainCheck->isChecked()); });
  }
  QDialog::done(result);
}

}  // namespace ostrel::ui
