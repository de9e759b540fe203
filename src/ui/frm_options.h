#pragma once
// The options window: the mail account, the five preferences and the look of
// the message text, loaded from and saved to the settings files. Earlier
// accounts can be picked from the POP server list.

#include <QDialog>
#include <optional>
#include <string>

#include "settings/options_form.h"

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace ostrel::base {
class Dialogs;
}

namespace ostrel::ui {

class Desktop;

class frmOptions : public QDialog {
  Q_OBJECT

 public:
  // mailOptions is the program's own, set when the window saves.
  frmOptions(const std::string& programFolder, settings::MailOptions& mailOptions, base::Dialogs& dialogs,
             Desktop& desktop, QWidget* parent);

  // The look saved for the message text; nothing unless "Save" succeeded.
  const std::optional<settings::TextLook>& SavedLook() const { return savedLook_; }

  QLabel* Label1;
  QComboBox* Combo1;  // POP server, with the saved accounts
  QLabel* lbPopSecurity;
  QLabel* Label2;
  QLineEdit* Text1;  // SMTP server
  QLabel* lbSmtpSecurity;
  QLabel* Label3;
  QLineEdit* Text2;  // user name
  QLabel* Label4;
  QLineEdit* Text3;  // password
  QLabel* Label5;
  QLineEdit* Text4;  // e-mail address
  QCheckBox* Check1;
  QCheckBox* Check2;
  QCheckBox* Check3;
  QCheckBox* Check4;
  QCheckBox* Check5;
  QGroupBox* Frame1;  // "Message Text"
  QLineEdit* Text5;   // the sample
  QPushButton* Command1;  // "Background"
  QPushButton* Command2;  // "Foreground"
  QPushButton* Command3;  // "Font"
  QPushButton* Command4;  // "Save"
  QPushButton* Command5;  // "Cancel"

 private:
  void BuildControls();
  void ShowFields(const settings::MailOptions& fields);
  settings::OptionsForm FormShown() const;
  void ShowSample();
  void PickAccount(int index);
  void UserNameTyped(const QString& userName);
  void ChooseColour(bool background);
  void ChooseFont();
  void ShowSecurity(QLabel& label, const QString& boxText, bool pop3);
  void Save();
  void BuildMailCheckRow(QBoxLayout& layout);

  std::string programFolder_;
  settings::MailOptions& mailOptions_;
  base::Dialogs& dialogs_;
  Desktop& desktop_;
  settings::TextLook sample_;
  std::optional<settings::TextLook> savedLook_;
  // "Check for mail every N minutes", kept in a settings file of its own.
  QCheckBox* mailCheckBox_;
  QSpinBox* mailCheckMinutes_;
  QLabel* mailCheckUnit_;  // "minutes"
};

}  // namespace ostrel::ui
