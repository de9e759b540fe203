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

class SignaturesDialog : public QDialog {
  Q_OBJECT

 public:
  SignaturesDialog(const std::string& programFolder, base::Dialogs& dialogs, QWidget* parent);

  QLabel* nameLabel;
  QComboBox* nameList;            // the signature name, with the stored names
  QPlainTextEdit* signatureEdit;  // the signature
  QLabel* noteLabel;              // the note on which signature is used
  QPushButton* addUpdateButton;   // "Add/Update"
  QPushButton* deleteButton;      // "Delete"
  QPushButton* cancelButton;      // "Cancel"

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
