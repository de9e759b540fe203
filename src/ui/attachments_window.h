#pragma once
// The attachments window: the files received ("Save") and the deciphered
// ones ("Dec"), each list with "Open" and "Delete".

#include <QDialog>
#include <filesystem>
#include <vector>

#include "store/attachments.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace ostrel::base {
class Dialogs;
}

namespace ostrel::ui {

class Desktop;

class AttachmentsWindow : public QDialog {
  Q_OBJECT

 public:
  AttachmentsWindow(const std::string& programFolder, base::Dialogs& dialogs, Desktop& desktop, QWidget* parent);

  // Both lists are empty: the main window says "No Attachments." instead.
  bool NothingToShow() const;

  QLabel* receivedLabel;
  QListWidget* receivedList;
  QLabel* receivedFolderLabel;
  QPushButton* openReceivedButton;
  QPushButton* deleteReceivedButton;
  QLabel* decryptedLabel;
  QListWidget* decryptedList;
  QLabel* decryptedFolderLabel;
  QPushButton* openDecryptedButton;
  QPushButton* deleteDecryptedButton;
  QPushButton* cancelButton;

 private:
  void Fill();
  void Open(store::AttachmentList list);
  void Delete(store::AttachmentList list);
  void OpenOne(const std::filesystem::path& file);
  std::vector<std::string> Selected(store::AttachmentList list) const;

  std::filesystem::path programFolder_;
  base::Dialogs& dialogs_;
  Desktop& desktop_;
};

}  // namespace ostrel::ui
