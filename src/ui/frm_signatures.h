#pragma once
// The signatures window: named signatures added, updated and deleted; the
// last one added or updated becomes the current signature.

#include <QDialog>
#include <filesystem>
#include <string>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace ostrel::base {
class Dialogs;
}

namespace ostrel::ui {

class frmSignatures : public QDialog {
  Q_OBJECT

 public:
  frmSignatures(const std::string& programFolder, base::Dialogs& dialogs, QWidget* parent);

  QLabel* Label1;
  QComboBox* Combo1;  // the signature name, with the stored names
  QPlainTextEdit* Text1;  // the signature
  QLabel* Label2;     // the note on which signature is used
  QPushButton* Command1;  // "Add/Update"
  QPushButton* Command2;  // "Delete"
  QPushButton* Command3;  // "Cancel"

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Fill();
  void FillNames(const std::vector<std::string>& names);
  void PickName(int index);
  void AddOrUpdate();
  void Delete();

  std::filesystem::path programFolder_;
  base::Dialogs& dialogs_;
};

}  // namespace ostrel::ui
