#pragma once
// The compose window: a new message, a reply or a forward. The text can be
// enciphered under the current key and deciphered again, files attached
// (with "Select" or by dropping them on the window), recipients picked from
// the address book or completed from it as they are typed, and the message
// sent through the sending window. The window stays open after a send.

#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "mail/compose.h"
#include "transport/smtp_control.h"
#include "ui/status_line_dialogs.h"

class QCheckBox;
class QComboBox;
class QCompleter;
class QLabel;
class QLineEdit;
class QMimeData;
class QModelIndex;
class QPlainTextEdit;
class QPushButton;

namespace ostrel::store {
class Installation;
}

namespace ostrel::ui {

class Desktop;

class ComposeWindow : public QDialog {
  Q_OBJECT

 public:
  // Makes the SMTP control of one send.
  using SmtpControlMaker = std::function<std::unique_ptr<transport::SmtpControl>()>;

  // Opens in the installation's ComposeMode. messagePane is the main
  // window's message text (lines ended by CR LF), quoted by a reply and
  // passed on by a forward. makeControl gives the control of each send; the
  // real one is used when it is empty.
  ComposeWindow(store::Installation& installation, const std::string& messagePane, base::Dialogs& dialogs,
                Desktop& desktop, QWidget* parent, SmtpControlMaker makeControl = {});

  QLabel* toLabel;
  QLineEdit* toEdit;
  QComboBox* addressList;
  QLabel* subjectLabel;
  QLineEdit* subjectEdit;
  QLabel* attachmentsLabel;
  QLineEdit* attachmentsEdit;
  QPushButton* selectButton;
  QLabel* keyListLabel;
  QComboBox* keyList;
  QLabel* statusLabel;
  QCheckBox* signatureCheck;
  QPlainTextEdit* messageEdit;
  QPushButton* encryptButton;
  QPushButton* decryptButton;
  QPushButton* sendButton;
  // Completes names and addresses of the address book in the To box.
  QCompleter* toCompleter;

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void FillKeyList();
  void FillAddressList();
  void ShowForm();
  void TakeControls();
  void ShowStatus(std::string_view text);

  // Handlers.
  void PickAddress();
  void CompleteRecipient(const QString& typed);
  void TakeCompletion(const QModelIndex& index);
  void SelectAttachment();
  void ChooseKey();
  void Encrypt();
  void Decrypt();
  void Send();
  // Dropped files go into the attachments box; false when the data holds
  // anything but files.
  bool TakeDroppedFiles(const QMimeData* dropped, bool add);

  store::Installation& installation_;
  StatusLineDialogs dialogs_;
  Desktop& desktop_;
  SmtpControlMaker makeControl_;
  mail::ComposeForm form_;
};

}  // namespace ostrel::ui
