#include "ui/frm_notice.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "settings/notice_marker.h"

namespace ostrel::ui {

frmNotice::frmNotice(std::filesystem::path programFolder, QWidget* parent)
    : QDialog(parent), programFolder_(std::move(programFolder)) {
  setObjectName("frmNotice");
  setWindowTitle(QString::fromUtf8(settings::kNoticeCaption.data(), settings::kNoticeCaption.size()));
  Text1 = new QPlainTextEdit(this);
  Text1->setObjectName("Text1");
  Text1->setReadOnly(true);
  Text1->setPlainText(QString::fromUtf8(settings::kNoticeText.data(), settings::kNoticeText.size()));
  Check1 = new QCheckBox(QString::fromUtf8(settings::kNoticeCheckBox.data(), settings::kNoticeCheckBox.size()), this);
  Check1->setObjectName("Check1");
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
    settings::CloseNotice(programFolder_, Check1->isChecked());
  }
  QDialog::done(result);
}

}  // namespace ostrel::ui
