#pragma once
// The filters window: the junk filter's words and phrases, one per line.

#include <QDialog>
#include <filesystem>
#include <string>

#include "settings/mail_options.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace ostrel::base {
class Dialogs;
}

namespace ostrel::ui {

class frmFilters : public QDialog {
  Q_OBJECT

 public:
  // mailOptions tells whether filtering is switched on.
  frmFilters(const std::string& programFolder, const settings::MailOptions& mailOptions, base::Dialogs& dialogs,
             QWidget* parent);

  QLabel* Label1;
  QPlainTextEdit* Text1;
  QPushButton* Command1;  // "Save"
  QPushButton* Command2;  // "Cancel"

 private:
  void Save();

  std::filesystem::path programFolder_;
  const settings::MailOptions& mailOptions_;
  base::Dialogs& dialogs_;
};

}  // namespace ostrel::ui
