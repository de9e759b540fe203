#pragma once
// The first-run notice: tells the user that this version cannot talk to the
// previous one. Ticking "Do not show this again" leaves the marker file when
// the window closes, however it is closed.

#include <QDialog>
#include <filesystem>

class QCheckBox;
class QPlainTextEdit;

namespace ostrel::base {
class Dialogs;
}

namespace ostrel::ui {

class NoticeDialog : public QDialog {
  Q_OBJECT

 public:
  // dialogs shows a marker file that cannot be written.
  NoticeDialog(std::filesystem::path programFolder, base::Dialogs& dialogs, QWidget* parent);

  void done(int result) override;

  QPlainTextEdit* noticeText;
  QCheckBox* dontShowAgainCheck;

 private:
  std::filesystem::path programFolder_;
  base::Dialogs& dialogs_;
  bool closed_ = false;
};

}  // namespace ostrel::ui
