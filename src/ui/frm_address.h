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

class frmAddress : public QDialog {
  Q_OBJECT

 public:
  frmAddress(const std::string& programFolder, base::Dialogs& dialogs, QWidget* parent);

  QLabel* Label1;
  QComboBox* Combo1;  // the name, with the stored names
  QLabel* Label2;
  QLineEdit* Text1;  // the e-mail address
  QPushButton* Command1;  // "Add"
  QPushButton* Command2;  // "Update"
  QPushButton* Command3;  // "Delete"
  QPushButton* Command4;  // "Cancel"

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
