#pragma once
// The address book window: names and e-mail addresses added, updated and
// removed one at a time, each change written at once.

#include <QDialog>
#include <filesystem>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ostrel::base {
class Dialogs;
}

namespace ostrel::ui {

class AddressBookDialog : public QDialog {
  Q_OBJECT

 public:
  AddressBookDialog(const std::string& programFolder, base::Dialogs& dialogs, QWidget* parent);

  QLabel* nameLabel;
  QComboBox* nameList;  // the name, with the stored names
  QLabel* emailAddressLabel;
  QLineEdit* emailAddressEdit;  // the e-mail address
  QPushButton* addButton;       // "Add"
  QPushButton* updateButton;    // "Update"
  QPushButton* deleteButton;    // "Delete"
  QPushButton* cancelButton;    // "Cancel"

 private:
  void Fill();
  void PickName(int index);
  void Add();
  void Update();
  void Delete();

  std::filesystem::path programFolder_;
  base::Dialogs& dialogs_;
};

}  // namespace ostrel::ui
