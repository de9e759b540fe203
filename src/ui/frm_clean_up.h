#pragma once
// The clean-up window: every message of one box, newest first, to pick and
// delete at once (to the Trash, or for good from the Trash).

#include <QDialog>
#include <memory>

#include "store/clean_up.h"

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace ostrel::base {
class Dialogs;
}

namespace ostrel::ui {

class frmCleanUp : public QDialog {
  Q_OBJECT

 public:
  frmCleanUp(const std::string& programFolder, const std::string& cleanUpBox, base::Dialogs& dialogs,
             QWidget* parent);

  // The box is empty: the window closes at once, without a message.
  bool ByPassClean() const { return cleanUp_.ByPassClean(); }

  QLabel* Label1;
  QListWidget* List1;
  QRadioButton* Option1;  // "Select All"
  QRadioButton* Option2;  // "Unselect All"
  QPushButton* Command1;  // "Delete"
  QPushButton* Command2;  // "Cancel"

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Fill();
  void DeleteSelected();

  store::CleanUp cleanUp_;
  base::Dialogs& dialogs_;
};

}  // namespace ostrel::ui
