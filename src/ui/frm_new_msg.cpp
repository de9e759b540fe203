#include "ui/frm_new_msg.h"

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
#include "ui/frm_send.h"
#include "ui/guarded.h"
#include "ui/key_check_tips.h"
#include "ui/line_ends.h"
#include "ui/named_control.h"
#include "ui/qt_text.h"
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

frmNewMsg::frmNewMsg(store::Installation& installation, const std::string& messagePane, base::Dialogs& dialogs,
                     Desktop& desktop, QWidget* parent, SmtpControlMaker makeControl)
    : QDialog(parent),
      installation_(installation),
      dialogs_(dialogs, [this](std::string_view text) { ShowStatus(text); }),
      desktop_(desktop),
      makeControl_(std::move(makeControl)) {
  setObjectName("frmNewMsg");
  BuildControls();

  ShowStatus("");
  form_ = transport::OpenCompose(installation_, messagePane);
  FillKeyList();
  FillAddressList();
  Check1->setVisible(form_.signatureShown);
  Check1->setChecked(form_.useSignature);
  if (!form_.caption.empty()) setWindowTitle(QString::fromStdString(form_.caption));
  ShowForm();
}

void frmNewMsg::BuildControls() {
  Label1 = Named<QLabel>("Label1", "To", this);
  txtTo = Named<QLineEdit>("txtTo", this);
  cmbTo = Named<QComboBox>("cmbTo", this);
  cmbTo->setMinimumContentsLength(16);
  Label2 = Named<QLabel>("Label2", "Subject", this);
  txtSubject = Named<QLineEdit>("txtSubject", this);
  Label3 = Named<QLabel>("Label3", "Attachments", this);
  txtAttach = Named<QLineEdit>("txtAttach", this);
  Command2 = Button("Command2", "Select", this);
  Label4 = Named<QLabel>("Label4", "Using Key", this);
  Combo1 = Named<QComboBox>("Combo1", this);
  Combo1->setMinimumContentsLength(20);
  lbStat = Named<QLabel>("lbStat", "", this);
  lbStat->setWordWrap(true);  // room for the note on how to load a key
  Check1 = Named<QCheckBox>("Check1", "Use Signature", this);
  txtMsg = Named<QPlainTextEdit>("txtMsg", this);
  // Hex cipher text lines up in columns of 80.
  txtMsg->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  // Tab moves on to the buttons, as in the boxes above.
  txtMsg->setTabChangesFocus(true);
  cmdEnc = Button("cmdEnc", "Encrypt", this);
  cmdDec = Button("cmdDec", "Decrypt", this);
  Command1 = Button("Command1", "Send", this);
  Command1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
  Command1->setToolTip("Send (Ctrl+Enter)");
  Label1->setBuddy(txtTo);
  Label2->setBuddy(txtSubject);
  Label3->setBuddy(txtAttach);
  Label4->setBuddy(Combo1);

  toCompleter = Named<QCompleter>("toCompleter", this);
  toCompleter->setWidget(txtTo);
  toCompleter->setCompletionMode(QCompleter::PopupCompletion);
  toCompleter->setCaseSensitivity(Qt::CaseInsensitive);
  toCompleter->setFilterMode(Qt::MatchContains);

  connect(cmbTo, &QComboBox::activated, this, Guarded(dialogs_, "Choosing the address", [this] { PickAddress(); }));
  connect(txtTo, &QLineEdit::textEdited, this,
          Guarded(dialogs_, "Completing the address", [this](const QString& typed) { CompleteRecipient(typed); }));
  connect(toCompleter, qOverload<const QModelIndex&>(&QCompleter::activated), this,
          Guarded(dialogs_, "Completing the address",
                  [this](const QModelIndex& index) { TakeCompletion(index); }));
  OnClick(Command2, dialogs_, [this] { SelectAttachment(); });
  FollowKeyCheckTips(*Combo1);
  connect(Combo1, &QComboBox::activated, this, Guarded(dialogs_, "Loading the key", [this] { ChooseKey(); }));
  OnClick(cmdEnc, dialogs_, [this] { Encrypt(); });
  OnClick(cmdDec, dialogs_, [this] { Decrypt(); });
  OnClick(Command1, dialogs_, [this] { Send(); });

  setAcceptDrops(true);
  for (QObject* target : {static_cast<QObject*>(txtTo), static_cast<QObject*>(txtSubject),
                          static_cast<QObject*>(txtAttach), static_cast<QObject*>(txtMsg->viewport())}) {
    target->installEventFilter(this);
  }

  auto* header = new QGridLayout;
  header->addWidget(Label1, 0, 0);
  header->addWidget(txtTo, 0, 1);
  header->addWidget(cmbTo, 0, 2);
  header->addWidget(Label2, 1, 0);
  header->addWidget(txtSubject, 1, 1, 1, 2);
  header->addWidget(Label3, 2, 0);
  header->addWidget(txtAttach, 2, 1);
  header->addWidget(Command2, 2, 2);
  header->setColumnStretch(1, 1);
  auto* keyRow = new QHBoxLayout;
  keyRow->addWidget(Label4);
  keyRow->addWidget(Combo1);
  keyRow->addWidget(lbStat, 1);
  keyRow->addWidget(Check1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdEnc);
  buttons->addWidget(cmdDec);
  buttons->addStretch();
  buttons->addWidget(Command1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(header);
  layout->addLayout(keyRow);
  layout->addWidget(txtMsg, 1);
  layout->addLayout(buttons);
  const int lineWidth = txtMsg->fontMetrics().horizontalAdvance(QString(82, QChar('0')));
  resize(lineWidth + 60, 560);
}

void frmNewMsg::FillKeyList() {
  if (installation_.CurrentKey.empty()) {
    cmdEnc->setEnabled(false);
    cmdDec->setEnabled(false);
    Combo1->hide();
    Label4->hide();
    ShowStatus(keys::kNoKeyLoadedNote);
    return;
  }
  const auto records = keys::ReadKeys(installation_.ProgramFolder);
  Combo1->clear();
  for (const auto& name : keys::KeyNames(records)) Combo1->addItem(QString::fromStdString(name));
  const std::string shown = keys::ShownKeyName(records, installation_.CurrentKey);
  Combo1->setCurrentIndex(shown.empty() ? -1 : Combo1->findText(QString::fromStdString(shown)));
  ShowKeyCheckTips(*Combo1, records);
}

void frmNewMsg::FillAddressList() {
  const auto entries = settings::ReadAddresses(installation_.ProgramFolder);
  cmbTo->clear();
  auto* completions = new QStandardItemModel(toCompleter);
  for (const auto& entry : entries) {
    cmbTo->addItem(QString::fromStdString(entry.Name));
    auto* item = new QStandardItem(QString::fromStdString(entry.Name + " <" + entry.Email + ">"));
    item->setData(QString::fromStdString(entry.Email), kAddressRole);
    completions->appendRow(item);
  }
  toCompleter->setModel(completions);
  cmbTo->setCurrentIndex(entries.empty() ? -1 : 0);
  if (entries.empty()) cmbTo->hide();
}

void frmNewMsg::ShowForm() {
  txtTo->setText(QString::fromStdString(form_.to));
  txtSubject->setText(QString::fromStdString(form_.subject));
  txtAttach->setText(QString::fromStdString(form_.attachments));
  txtMsg->setPlainText(ShownLines(form_.message));
}

void frmNewMsg::TakeControls() {
  form_.to = txtTo->text().toStdString();
  form_.subject = txtSubject->text().toStdString();
  form_.attachments = txtAttach->text().toStdString();
  form_.message = StoredLines(txtMsg->toPlainText());
  form_.useSignature = Check1->isChecked();
}

void frmNewMsg::ShowStatus(std::string_view text) {
  lbStat->setText(ToQString(text));
  lbStat->repaint();
}

void frmNewMsg::PickAddress() {
  const auto address = settings::FindAddress(installation_.ProgramFolder, cmbTo->currentText().toStdString());
  if (!address) return;
  txtTo->setText(QString::fromStdString(transport::AddToList(txtTo->text().toStdString(), *address)));
}

void frmNewMsg::CompleteRecipient(const QString& typed) {
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

void frmNewMsg::TakeCompletion(const QModelIndex& index) {
  const QString to = txtTo->text();
  const QString kept = to.left(to.lastIndexOf(';') + 1);
  txtTo->setText(kept + index.data(kAddressRole).toString());
}

void frmNewMsg::SelectAttachment() {
  const auto chosen = desktop_.ChooseFileToOpen(this, "Select File to Attach");
  if (!chosen || chosen->empty()) return;
  txtAttach->setText(
      QString::fromStdString(transport::AddToList(txtAttach->text().toStdString(), chosen->string())));
}

void frmNewMsg::ChooseKey() {
  WaitPointer wait;
  keys::SelectKey(installation_.ProgramFolder, Combo1->currentText().toStdString(), installation_.Engine,
                  installation_.CurrentKey, dialogs_);
}

void frmNewMsg::Encrypt() {
  TakeControls();
  bool done = false;
  {
    WaitPointer wait;
    done = transport::PressEncrypt(installation_, form_, dialogs_);
  }
  if (done) ShowForm();
}

void frmNewMsg::Decrypt() {
  TakeControls();
  bool done = false;
  {
    WaitPointer wait;
    done = transport::PressDecrypt(installation_, form_, dialogs_);
  }
  if (done) ShowForm();
}

void frmNewMsg::Send() {
  TakeControls();
  if (!transport::ConfirmSend(installation_, form_, dialogs_)) return;
  if (!transport::QueueMessage(installation_, form_, dialogs_)) return;
  // The signature may have joined the text.
  ShowForm();
  std::optional<transport::SendOutcome> outcome;
  {
    frmSend sending(installation_, dialogs_, this, makeControl_ ? makeControl_() : nullptr);
    desktop_.RunModal(sending);
    outcome = sending.Outcome();
  }
  transport::ClearOutgoing(installation_.ProgramFolder);
  if (outcome) ShowStatus(transport::SendFinished(form_, *outcome));
}

bool frmNewMsg::TakeDroppedFiles(const QMimeData* dropped, bool add) {
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
    std::string box = txtAttach->text().toStdString();
    for (const QString& path : paths) box = transport::AddToList(box, path.toStdString());
    txtAttach->setText(QString::fromStdString(box));
  }
  return true;
}

void frmNewMsg::dragEnterEvent(QDragEnterEvent* event) {
  if (TakeDroppedFiles(event->mimeData(), false)) event->acceptProposedAction();
}

void frmNewMsg::dragMoveEvent(QDragMoveEvent* event) {
  if (TakeDroppedFiles(event->mimeData(), false)) event->acceptProposedAction();
}

void frmNewMsg::dropEvent(QDropEvent* event) {
  if (TakeDroppedFiles(event->mimeData(), true)) event->acceptProposedAction();
}

// Files dropped on a text box are attached rather than pasted as text.
bool frmNewMsg::eventFilter(QObject* watched, QEvent* event) {
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
