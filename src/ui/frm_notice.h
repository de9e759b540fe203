#pragma once
// The first-run notice: tells the user that this version cannot talk to the
// previous one. Ticking "Do not show this again" leaves the marker file when
// the window closes, however it is closed.

#include <QDialog>
#include <filesystem>

class QCheckBox;
class QPlainTextEdit;

namespace ostrel::ui {

class frmNotice : public QDialog {
  Q_OBJECT

 public:
  frmNotice(std::filesystem::path programFolder, QWidget* parent);

  void done(int result) override;

  QPlainTextEdit* Text1;
  QCheckBox* Check1;

 private:
  std::filesystem::path programFolder_;
  bool closed_ = false;
};

}  // namespace ostrel::ui
