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

class FiltersDialog : public QDialog {
  Q_OBJECT

 public:
  // mailOptions tells whether filtering is switched on.
  FiltersDialog(const std::string& programFolder, const settings::MailOptions& mailOptions, base::Dialogs& dialogs,
                QWidget* parent);

  QLabel* filtersLabel;
  QPlainTextEdit* filtersEdit;
  QPushButton* saveButton;    // "Save"
  QPushButton* cancelButton;  // "Cancel"

 private:
  void Save();

  std::filesystem::path programFolder_;
  const settings::MailOptions& mailOptions_;
  base::Dialogs& dialogs_;
};

}  // namespace ostrel::ui
