#pragma once
// The key management window: defining keys (typed or generated), the default
// key, making a key active, and carrying the key files to and from a folder.

#include <QDialog>
#include <string>

#include "keys/key_generator.h"
#include "keys/key_transfer.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ostrel::base {
class Dialogs;
}
namespace ostrel::store {
class Installation;
}

namespace ostrel::ui {

class Desktop;

class KeyManagementDialog : public QDialog {
  Q_OBJECT

 public:
  // The installation gives the key store's folder, the engine and CurrentKey
  // for "Set".
  KeyManagementDialog(store::Installation& installation, base::Dialogs& dialogs, Desktop& desktop, QWidget* parent);

  QGroupBox* defineKeyGroup;  // "Define New Key"
  QLabel* keyNameLabel;       // "Name"
  QLineEdit* keyNameEdit;
  QLabel* keyTextLabel;  // "Key"
  QLineEdit* keyTextEdit;
  QLabel* keyLengthWarning;      // why the key typed cannot be stored, when it cannot
  QPushButton* generateButton;   // "Generate"
  QCheckBox* defaultKeyCheck;    // "Use as Default Key"
  QPushButton* addUpdateButton;  // "Add/Update"
  QGroupBox* selectKeyGroup;     // "Select Key"
  QComboBox* keyList;
  QLabel* statusLabel;
  QPushButton* setKeyButton;        // "Set"
  QGroupBox* securityGroup;         // "Security"
  QPushButton* transferKeysButton;  // "Transfer Keys"
  QPushButton* deleteKeysButton;    // "Delete Keys"
  QPushButton* restoreKeysButton;   // "Restore Keys"
  QPushButton* cancelButton;        // "Cancel"
  QLabel* summaryLabel;             // the summary

 private:
  // The check code of the key in the key box, as it is typed.
  void ShowKeyCheckCode(const QString& keyText);

  void BuildControls();
  void Reload();
  void ShowListedKey();
  void CheckKeyLength();
  void Generate();
  void AddOrUpdate();
  void LoadDefaultKeyIfNoneLoaded();
  void Set();
  void TransferKeys();
  void RestoreKeys();
  void DeleteKeys();
  // KeyPath: the folder chosen, with "/" at the end; empty when cancelled.
  std::string ChooseKeyPath(keys::KeyPathMode keyPathMode);

  store::Installation& installation_;
  base::Dialogs& dialogs_;
  Desktop& desktop_;
  keys::SystemRandomSource random_;
  QLabel* keyCheckLabel_;  // "Check code"
  QLabel* keyCheckCode_;
};

}  // namespace ostrel::ui
