#pragma once
// The key management window: defining keys (typed or generated), the default
// key, making a key active, and carrying the key files to and from a folder.

#include <QDialog>
#include <string_view>

#include "keys/key_generator.h"

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

class frmKeyManagement : public QDialog {
  Q_OBJECT

 public:
  // The installation gives the key store's folder, the engine and CurrentKey
  // for "Set", and KeyPath and KeyPathMode for the folder chooser.
  frmKeyManagement(store::Installation& installation, base::Dialogs& dialogs, Desktop& desktop, QWidget* parent);

  QGroupBox* Frame1;   // "Define New Key"
  QLabel* Label1;      // "Name"
  QLineEdit* Text1;
  QLabel* Label2;      // "Key"
  QLineEdit* Text2;
  QLabel* Label4;         // why the key typed cannot be stored, when it cannot
  QPushButton* Command3;  // "Generate"
  QCheckBox* Check1;      // "Use as Default Key"
  QPushButton* Command4;  // "Add/Update"
  QGroupBox* Frame2;   // "Select Key"
  QComboBox* Combo1;
  QLabel* lbStat;
  QPushButton* Command1;  // "Set"
  QGroupBox* Frame3;   // "Security"
  QPushButton* Command5;  // "Transfer Keys"
  QPushButton* Command6;  // "Delete Keys"
  QPushButton* Command7;  // "Restore Keys"
  QPushButton* Command2;  // "Cancel"
  QLabel* Label3;         // the summary

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
  void ChooseKeyPath(std::string_view keyPathMode);

  store::Installation& installation_;
  base::Dialogs& dialogs_;
  Desktop& desktop_;
  keys::SystemRandomSource random_;
  QLabel* keyCheckLabel_;  // "Check code"
  QLabel* keyCheckCode_;
};

}  // namespace ostrel::ui
