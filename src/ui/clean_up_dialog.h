#pragma once
// The clean-up window: every message of one box, newest first, to pick and
// delete at once (to the Trash, or for good from the Trash).

#include <QDialog>
#include <memory>

#include "store/boxes.h"
#include "store/clean_up.h"

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace ostrel::base {
class Dialogs;
}

namespace ostrel::ui {

class CleanUpDialog : public QDialog {
  Q_OBJECT

 public:
  CleanUpDialog(const std::string& programFolder, store::BoxName cleanUpBox, base::Dialogs& dialogs, QWidget* parent);

  // The box is empty: the window closes at once, without a message.
  bool ByPassClean() const { return cleanUp_.ByPassClean(); }

  QLabel* promptLabel;
  QListWidget* messageList;
  QRadioButton* selectAllOption;    // "Select All"
  QRadioButton* unselectAllOption;  // "Unselect All"
  QPushButton* deleteButton;        // "Delete"
  QPushButton* cancelButton;        // "Cancel"

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Fill();
  void DeleteSelected();

  store::CleanUp cleanUp_;
  base::Dialogs& dialogs_;
};

}  // namespace ostrel::ui
