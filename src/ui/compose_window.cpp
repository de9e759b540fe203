#include "ui/compose_window.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include "keys/key_selection.h"
#include "keys/key_store.h"
#include "settings/address_book.h"
#include "store/installation.h"
#include "ui/desktop.h"
#include "ui/guarded.h"
#include "ui/key_check_tips.h"
#include "ui/line_ends.h"
#include "ui/named_control.h"
#include "ui/qt_text.h"
#include "ui/sending_dialog.h"
#include "ui/wait_pointer.h"

namespace ostrel::ui {
namespace {

constexpr int kAddressRole = Qt::UserRole;

QPushButton* Button(const char* name, const char* caption, QWidget* parent) {
  auto* button = Named<QPushButton>(name, caption, parent);
  // Enter in a text box must never send or encipher by accident.
  button->setAutoDefault(false);
  return button;
}

// The recipient being typed: what follows the last ";", without the blanks
// in front of it.
QString RecipientBeingTyped(const QString& to) {
  return to.mid(to.lastIndexOf(';') + 1).trimmed();
}


}  // namespace

ComposeWindow::ComposeWindow(store::Installation& installation, const std::string& messagePane, base::Dialogs& dialogs,
                             Desktop& desktop, QWidget* parent, SmtpControlMaker makeControl)
    : QDialog(parent),
      installation_(installation),
      dialogs_(dialogs, [this](std::string_view text) { ShowStatus(text); }),
      desktop_(desktop),
      makeControl_(std::move(makeControl)) {
  setObjectName("ComposeWindow");
  BuildControls();

  ShowStatus("");
  form_ = mail::OpenCompose(installation_, messagePane);
  FillKeyList();
  FillAddressList();
  signatureCheck->setVisible(form_.signatureShown);
  signatureCheck->setChecked(form_.useSignature);
  if (!form_.caption.empty()) setWindowTitle(QString::fromStdString(form_.caption));
  ShowForm();
}

void ComposeWindow::BuildControls() {
  toLabel = Named<QLabel>("toLabel", "To", this);
  toEdit = Named<QLineEdit>("toEdit", this);
  addressList = Named<QComboBox>("addressList", this);
  addressList->setMinimumContentsLength(16);
  subjectLabel = Named<QLabel>("subjectLabel", "Subject", this);
  subjectEdit = Named<QLineEdit>("subjectEdit", this);
  attachmentsLabel = Named<QLabel>("attachmentsLabel", "Attachments", this);
  attachmentsEdit = Named<QLineEdit>("attachmentsEdit", this);
  selectButton = Button("selectButton", "Select", this);
  keyListLabel = Named<QLabel>("keyListLabel", "Using Key", this);
  keyList = Named<QComboBox>("keyList", this);
  keyList->setMinimumContentsLength(20);
  statusLabel = Named<QLabel>("statusLabel", "", this);
  statusLabel->setWordWrap(true);  // room for the note on how to load a key
  signatureCheck = Named<QCheckBox>("signatureCheck", "Use Signature", this);
  messageEdit = Named<QPlainTextEdit>("messageEdit", this);
  // Hex cipher text lines up in columns of 80.
  messageEdit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  // Tab moves on to the buttons, as in the boxes above.
  messageEdit->setTabChangesFocus(true);
  encryptButton = Button("encryptButton", "Encrypt", this);
  decryptButton = Button("decryptButton", "Decrypt", this);
  sendButton = Button("sendButton", "Send", this);
  sendButton->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
  sendButton->setToolTip("Send (Ctrl+Enter)");
  toLabel->setBuddy(toEdit);
  subjectLabel->setBuddy(subjectEdit);
  attachmentsLabel->setBuddy(attachmentsEdit);
  keyListLabel->setBuddy(keyList);

  toCompleter = Named<QCompleter>("toCompleter", this);
  toCompleter->setWidget(toEdit);
  toCompleter->setCompletionMode(QCompleter::PopupCompletion);
  toCompleter->setCaseSensitivity(Qt::CaseInsensitive);
  toCompleter->setFilterMode(Qt::MatchContains);

  connect(addressList, &QComboBox::activated, this,
          Guarded(dialogs_, "Choosing the address", [this] { PickAddress(); }));
  connect(toEdit, &QLineEdit::textEdited, this,
          Guarded(dialogs_, "Completing the address", [this](const QString& typed) { CompleteRecipient(typed); }));
  connect(toCompleter, qOverload<const QModelIndex&>(&QCompleter::activated), this,
          Guarded(dialogs_, "Completing the address",
                  [this](const QModelIndex& index) { TakeCompletion(index); }));
  OnClick(selectButton, dialogs_, [this] { SelectAttachment(); });
  FollowKeyCheckTips(*keyList);
  connect(keyList, &QComboBox::activated, this, Guarded(dialogs_, "Loading the key", [this] { ChooseKey(); }));
  OnClick(encryptButton, dialogs_, [this] { Encrypt(); });
  OnClick(decryptButton, dialogs_, [this] { Decrypt(); });
  OnClick(sendButton, dialogs_, [this] { Send(); });

  setAcceptDrops(true);
  for (QObject* target : {static_cast<QObject*>(toEdit), static_cast<QObject*>(subjectEdit),
                          static_cast<QObject*>(attachmentsEdit), static_cast<QObject*>(messageEdit->viewport())}) {
    target->installEventFilter(this);
  }

  auto* header = new QGridLayout;
  header->addWidget(toLabel, 0, 0);
  header->addWidget(toEdit, 0, 1);
  header->addWidget(addressList, 0, 2);
  header->addWidget(subjectLabel, 1, 0);
  header->addWidget(subjectEdit, 1, 1, 1, 2);
  header->addWidget(attachmentsLabel, 2, 0);
  header->addWidget(attachmentsEdit, 2, 1);
  header->addWidget(selectButton, 2, 2);
  header->setColumnStretch(1, 1);
  auto* keyRow = new QHBoxLayout;
  keyRow->addWidget(keyListLabel);
  keyRow->addWidget(keyList);
  keyRow->addWidget(statusLabel, 1);
  keyRow->addWidget(signatureCheck);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(encryptButton);
  buttons->addWidget(decryptButton);
  buttons->addStretch();
  buttons->addWidget(sendButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(header);
  layout->addLayout(keyRow);
  layout->addWidget(messageEdit, 1);
  layout->addLayout(buttons);
  const int lineWidth = messageEdit->fontMetrics().horizontalAdvance(QString(82, QChar('0')));
  resize(lineWidth + 60, 560);
}

void ComposeWindow::FillKeyList() {
  if (installation_.CurrentKey.empty()) {
    encryptButton->setEnabled(false);
    decryptButton->setEnabled(false);
    keyList->hide();
    keyListLabel->hide();
    ShowStatus(keys::kNoKeyLoadedNote);
    return;
  }
  const auto records = keys::ReadKeys(installation_.ProgramFolder);
  keyList->clear();
  for (const auto& name : keys::KeyNames(records)) keyList->addItem(QString::fromStdString(name));
  const std::string shown = keys::ShownKeyName(records, installation_.CurrentKey);
  keyList->setCurrentIndex(shown.empty() ? -1 : keyList->findText(QString::fromStdString(shown)));
  ShowKeyCheckTips(*keyList, records);
}

void ComposeWindow::FillAddressList() {
  const auto entries = settings::ReadAddresses(installation_.ProgramFolder);
  addressList->clear();
  auto* completions = new QStandardItemModel(toCompleter);
  for (const auto& entry : entries) {
    addressList->addItem(QString::fromStdString(entry.Name));
    auto* item = new QStandardItem(QString::fromStdString(entry.Name + " <" + entry.Email + ">"));
    item->setData(QString::fromStdString(entry.Email), kAddressRole);
    completions->appendRow(item);
  }
  toCompleter->setModel(completions);
  addressList->setCurrentIndex(entries.empty() ? -1 : 0);
  if (entries.empty()) addressList->hide();
}

void ComposeWindow::ShowForm() {
  toEdit->setText(QString::fromStdString(form_.to));
  subjectEdit->setText(QString::fromStdString(form_.subject));
  attachmentsEdit->setText(QString::fromStdString(form_.attachments));
  messageEdit->setPlainText(ShownLines(form_.message));
}

void ComposeWindow::TakeControls() {
  form_.to = toEdit->text().toStdString();
  form_.subject = subjectEdit->text().toStdString();
  form_.attachments = attachmentsEdit->text().toStdString();
  form_.message = StoredLines(messageEdit->toPlainText());
  form_.useSignature = signatureCheck->isChecked();
}

void ComposeWindow::ShowStatus(std::string_view text) {
  statusLabel->setText(ToQString(text));
  statusLabel->repaint();
}

void ComposeWindow::PickAddress() {
  const auto address = settings::FindAddress(installation_.ProgramFolder, addressList->currentText().toStdString());
  if (!address) return;
  toEdit->setText(QString::fromStdString(mail::AddToList(toEdit->text().toStdString(), *address)));
}

void ComposeWindow::CompleteRecipient(const QString& typed) {
  const QString piece = RecipientBeingTyped(typed);
  if (piece.isEmpty()) {
    toCompleter->popup()->hide();
    return;
  }
  toCompleter->setCompletionPrefix(piece);
  if (toCompleter->completionCount() == 0) {
    toCompleter->popup()->hide();
    return;
  }
  toCompleter->complete();
}

void ComposeWindow::TakeCompletion(const QModelIndex& index) {
  const QString to = toEdit->text();
  const QString kept = to.left(to.lastIndexOf(';') + 1);
  toEdit->setText(kept + index.data(kAddressRole).toString());
}

void ComposeWindow::SelectAttachment() {
  const auto chosen = desktop_.ChooseFileToOpen(this, "Select File to Attach");
  if (!chosen || chosen->empty()) return;
  attachmentsEdit->setText(
      QString::fromStdString(mail::AddToList(attachmentsEdit->text().toStdString(), chosen->string())));
}

void ComposeWindow::ChooseKey() {
  WaitPointer wait;
  keys::SelectKey(installation_.ProgramFolder, keyList->currentText().toStdString(), installation_.Engine,
                  installation_.CurrentKey, dialogs_);
}

void ComposeWindow::Encrypt() {
  TakeControls();
  bool done = false;
  {
    WaitPointer wait;
    done = mail::PressEncrypt(installation_, form_, dialogs_);
  }
  if (done) ShowForm();
}

void ComposeWindow::Decrypt() {
  TakeControls();
  bool done = false;
  {
    WaitPointer wait;
    done = mail::PressDecrypt(installation_, form_, dialogs_);
  }
  if (done) ShowForm();
}

void ComposeWindow::Send() {
  TakeControls();
  if (!mail::ConfirmSend(installation_, form_, dialogs_)) return;
  if (!mail::QueueMessage(installation_, form_, dialogs_)) return;
  // The signature may have joined the text.
  ShowForm();
  std::optional<mail::SendOutcome> outcome;
  {
    SendingDialog sending(installation_, dialogs_, this, makeControl_ ? makeControl_() : nullptr);
    desktop_.RunModal(sending);
    outcome = sending.Outcome();
  }
  mail::ClearOutgoing(installation_.ProgramFolder);
  if (outcome) ShowStatus(mail::SendFinished(form_, *outcome));
}

bool ComposeWindow::TakeDroppedFiles(const QMimeData* dropped, bool add) {
  if (dropped == nullptr || !dropped->hasUrls()) return false;
  QStringList paths;
  for (const QUrl& url : dropped->urls()) {
    if (!url.isLocalFile()) return false;
    const QString path = url.toLocalFile();
    // A folder cannot be enciphered or attached as one file.
    if (!QFileInfo(path).isFile()) return false;
    paths.append(path);
  }
  if (paths.isEmpty()) return false;
  if (add) {
    std::string box = attachmentsEdit->text().toStdString();
    for (const QString& path : paths) box = mail::AddToList(box, path.toStdString());
    attachmentsEdit->setText(QString::fromStdString(box));
  }
  return true;
}

void ComposeWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (TakeDroppedFiles(event->mimeData(), false)) event->acceptProposedAction();
}

void ComposeWindow::dragMoveEvent(QDragMoveEvent* event) {
  if (TakeDroppedFiles(event->mimeData(), false)) event->acceptProposedAction();
}

void ComposeWindow::dropEvent(QDropEvent* event) {
  if (TakeDroppedFiles(event->mimeData(), true)) event->acceptProposedAction();
}

// Files dropped on a text box are attached rather than pasted as text.
bool ComposeWindow::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop) {
    auto* drop = static_cast<QDropEvent*>(event);
    if (TakeDroppedFiles(drop->mimeData(), type == QEvent::Drop)) {
      drop->acceptProposedAction();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace ostrel::ui
