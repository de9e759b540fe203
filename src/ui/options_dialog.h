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

class OptionsDialog : public QDialog {
  Q_OBJECT

 public:
  // mailOptions is the program's own, set when the window saves.
  OptionsDialog(const std::string& programFolder, settings::MailOptions& mailOptions, base::Dialogs& dialogs,
                Desktop& desktop, QWidget* parent);

  // The look saved for the message text; nothing unless "Save" succeeded.
  const std::optional<settings::TextLook>& SavedLook() const { return savedLook_; }

  QLabel* popServerLabel;
  QComboBox* popServerList;  // POP server, with the saved accounts
  QLabel* popSecurityLabel;
  QLabel* smtpServerLabel;
  QLineEdit* smtpServerEdit;  // SMTP server
  QLabel* smtpSecurityLabel;
  QLabel* userNameLabel;
  QLineEdit* userNameEdit;  // user name
  QLabel* passwordLabel;
  QLineEdit* passwordEdit;  // password
  QLabel* emailAddressLabel;
  QLineEdit* emailAddressEdit;  // e-mail address
  QCheckBox* deleteOnServerCheck;
  QCheckBox* checkOnStartupCheck;
  QCheckBox* emptyTrashCheck;
  QCheckBox* signaturesCheck;
  QCheckBox* filtersCheck;
  QGroupBox* messageTextGroup;    // "Message Text"
  QLineEdit* sampleTextEdit;      // the sample
  QPushButton* backgroundButton;  // "Background"
  QPushButton* foregroundButton;  // "Foreground"
  QPushButton* fontButton;        // "Font"
  QPushButton* saveButton;        // "Save"
  QPushButton* cancelButton;      // "Cancel"

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
