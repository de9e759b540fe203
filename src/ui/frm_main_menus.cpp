// The main window's menus, popup menu, shortcuts and the handlers behind them.
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QToolButton>

#include "keys/key_selection.h"
#include "store/attachments.h"
#include "store/message_actions.h"
#include "ui/box_table_model.h"
#include "ui/desktop.h"
#include "ui/frm_about.h"
#include "ui/frm_attachments.h"
#include "ui/frm_browser.h"
#include "ui/frm_clean_up.h"
#include "ui/frm_main.h"
#include "ui/frm_show.h"
#include "ui/named_control.h"
#include "ui/wait_pointer.h"
#include "ui/work_progress.h"

namespace ostrel::ui {
namespace {

QAction* Item(QMenu* menu, const char* name, const char* caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  return action;
}

QAction* Divider(QMenu* menu, const char* name) {
  QAction* action = menu->addSeparator();
  action->setObjectName(name);
  return action;
}


base::MessageBox Warning(std::string text) {
  return base::MessageBox{std::move(text), "", base::Buttons::Ok, base::Icon::Exclamation};
}

}  // namespace

void frmMain::BuildMenus() {
  QMenu* file = menuBar()->addMenu("File");
  file->setObjectName("mnuFile");
  fleadr = Item(file, "fleadr", "Address Book...");
  flekey = Item(file, "flekey", "Key Management...");
  flefil = Item(file, "flefil", "Filters...");
  flediv1 = Divider(file, "flediv1");
  fleimp = file->addMenu("Import");
  fleimp->setObjectName("fleimp");
  fleimmsg = Item(fleimp, "fleimmsg", "Message");
  fleimpat = Item(fleimp, "fleimpat", "Attachments");
  fleopt = Item(file, "fleopt", "Options/Accounts...");
  flerest = Item(file, "flerest", "Reset All Boxes");
  flesig = Item(file, "flesig", "Signatures...");
  flediv3 = Divider(file, "flediv3");
  fleext = Item(file, "fleext", "Exit");

  QMenu* email = menuBar()->addMenu("Email");
  email->setObjectName("mnuEmail");
  flecheck = Item(email, "flecheck", "Check Mail");
  emldiv2 = Divider(email, "emldiv2");
  emin = Item(email, "emin", "In Box");
  emout = Item(email, "emout", "Sent");
  emljunk = Item(email, "emljunk", "Junk");
  emtrash = Item(email, "emtrash", "Trash Bin");
  emdiv1 = Divider(email, "emdiv1");
  emlcl = email->addMenu("Clean Up");
  emlcl->setObjectName("emlcl");
  emcin = Item(emlcl, "emcin", "In Box");
  emcse = Item(emlcl, "emcse", "Sent");
  emcj = Item(emlcl, "emcj", "Junk");
  emcd = Item(emlcl, "emcd", "Trash Bin");
  emldiv3 = Divider(email, "emldiv3");
  emnew = Item(email, "emnew", "New Message...");

  QMenu* help = menuBar()->addMenu("Help");
  help->setObjectName("mnuHelp");
  hlpabout = Item(help, "hlpabout", "About");
  hlpdiv2 = Divider(help, "hlpdiv2");
  hlp1 = Item(help, "hlp1", "Using Ostrel Email");
  hlp2 = Item(help, "hlp2", "Key Management");
  hlp3 = Item(help, "hlp3", "Sending Email");
  hlp4 = Item(help, "hlp4", "Receiving Email");

  connect(fleadr, &QAction::triggered, this, &frmMain::OpenAddressBook);
  connect(Image2, &QToolButton::clicked, this, &frmMain::OpenAddressBook);
  connect(flekey, &QAction::triggered, this, &frmMain::OpenKeyManagement);
  connect(Image3, &QToolButton::clicked, this, &frmMain::OpenKeyManagement);
  connect(flefil, &QAction::triggered, this, &frmMain::OpenFilters);
  connect(fleopt, &QAction::triggered, this, &frmMain::OpenOptions);
  connect(flesig, &QAction::triggered, this, &frmMain::OpenSignatures);
  connect(emnew, &QAction::triggered, this, [this] { OpenCompose("New"); });
  connect(Image4, &QToolButton::clicked, this, [this] { OpenCompose("New"); });
  connect(fleimmsg, &QAction::triggered, this, &frmMain::ImportMessage);
  connect(fleimpat, &QAction::triggered, this, &frmMain::ImportAttachment);
  connect(flerest, &QAction::triggered, this, &frmMain::ResetAllBoxes);
  connect(fleext, &QAction::triggered, this, &frmMain::Exit);
  connect(flecheck, &QAction::triggered, this, &frmMain::CheckMail);
  connect(Image1, &QToolButton::clicked, this, &frmMain::CheckMail);

  connect(emin, &QAction::triggered, this, [this] { SwitchBox("In"); });
  connect(Image5, &QToolButton::clicked, this, [this] { SwitchBox("In"); });
  connect(emout, &QAction::triggered, this, [this] { SwitchBox("Sent"); });
  connect(Image6, &QToolButton::clicked, this, [this] { SwitchBox("Sent"); });
  connect(emljunk, &QAction::triggered, this, [this] { SwitchBox("Junk"); });
  connect(Image7, &QToolButton::clicked, this, [this] { SwitchBox("Junk"); });
  connect(emtrash, &QAction::triggered, this, [this] { SwitchBox("Trash"); });
  connect(Image8, &QToolButton::clicked, this, [this] { SwitchBox("Trash"); });
  connect(emcin, &QAction::triggered, this, [this] { CleanUpBox("In"); });
  connect(emcse, &QAction::triggered, this, [this] { CleanUpBox("Sent"); });
  connect(emcj, &QAction::triggered, this, [this] { CleanUpBox("Junk"); });
  connect(emcd, &QAction::triggered, this, [this] { CleanUpBox("Trash"); });
  connect(Image9, &QToolButton::clicked, this, &frmMain::CleanUpShownBox);
  connect(Image10, &QToolButton::clicked, this, &frmMain::ShowAttachments);

  connect(hlpabout, &QAction::triggered, this, &frmMain::ShowAbout);
  connect(hlp1, &QAction::triggered, this, [this] { ShowHelp("oxmover.htm"); });
  connect(hlp2, &QAction::triggered, this, [this] { ShowHelp("oxmkey.htm"); });
  connect(hlp3, &QAction::triggered, this, [this] { ShowHelp("oxmsend.htm"); });
  connect(hlp4, &QAction::triggered, this, [this] { ShowHelp("oxmrecv.htm"); });
}

void frmMain::BuildPopupMenu() {
  popm = Named<QMenu>("popm", "popmenu", this);
  popdel = Item(popm, "popdel", "Delete Msg");
  popprt = Item(popm, "popprt", "Print");
  poprp = Item(popm, "poprp", "Reply...");
  popfor = Item(popm, "popfor", "Forward...");
  popdiv = Divider(popm, "popdiv");
  popext = Item(popm, "popext", "Exit");
  connect(popdel, &QAction::triggered, this, &frmMain::DeleteMsg);
  connect(popprt, &QAction::triggered, this, &frmMain::PrintMessage);
  connect(poprp, &QAction::triggered, this, [this] { OpenCompose("Reply"); });
  connect(popfor, &QAction::triggered, this, [this] { OpenCompose("Forward"); });
  // "Exit" only closes the popup menu.
}

void frmMain::BuildShortcuts() {
  emnew->setShortcut(QKeySequence::New);
  flecheck->setShortcuts({QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_R)});
  fleext->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  // Print acts on the grid's current row, as the popup would; so does the
  // Delete key, which the grid's key handling passes on.
  auto* printRow = new QShortcut(QKeySequence::Print, this);
  connect(printRow, &QShortcut::activated, this, [this] {
    if (SelectCurrentRow()) PrintMessage();
  });
}

void frmMain::RunModal(QDialog& window) {
  desktop_.RunModal(window);
  Activate();
}

void frmMain::SwitchBox(const char* box) {
  SetPane("");
  ShowBox(installation_->ChooseBox(box));
}

void frmMain::OpenRow(int row) {
  const std::int64_t record = RecordOfRow(row);
  if (record < 1) return;
  std::optional<store::OpenedMessage> opened;
  {
    WaitPointer wait;
    opened = installation_->OpenMessage(record);
  }
  if (!opened) return;
  SetPane(opened->text);
  SetDecryptEnabled(opened->decryptEnabled);
  if (opened->webPage) {
    frmBrowser browser(installation_->ProgramFolder, installation_->HelpTopic, desktop_, this);
    RunModal(browser);
  }
}

void frmMain::PopUpRow(int row, const QPoint& at) {
  const std::int64_t record = RecordOfRow(row);
  if (record < 1) return;
  flex->setCurrentIndex(model_->index(row, 1));
  if (!installation_->SelectRow(record)) return;
  desktop_.PopUp(*popm, at);
}

void frmMain::ChooseKey() {
  WaitPointer wait;
  keys::SelectKey(installation_->ProgramFolder, Combo1->currentText().toStdString(), installation_->Engine,
                  installation_->CurrentKey, dialogs_);
}

void frmMain::Decrypt() {
  std::optional<std::string> plain;
  {
    WaitPointer wait;
    plain = store::DecryptPane(paneText_, installation_->Engine, installation_->CipherTextBuffer, dialogs_);
  }
  if (plain) SetPane(*plain);
}

void frmMain::ViewAsWeb() {
  if (installation_->CurrentMessage.empty()) return;
  bool prepared = false;
  {
    WaitPointer wait;
    try {
      prepared = store::PrepareWebView(installation_->ProgramFolder, installation_->CurrentBox,
                                       installation_->CurrentMessage);
    } catch (const std::system_error& error) {
      dialogs_.Show(Warning(std::string("The web view could not be prepared: ") + error.what()));
    }
  }
  if (!prepared) return;
  installation_->HelpTopic.clear();
  frmBrowser browser(installation_->ProgramFolder, installation_->HelpTopic, desktop_, this);
  RunModal(browser);
}

void frmMain::ViewCipherText() {
  const auto text = store::CipherViewText(paneText_, installation_->CipherTextBuffer);
  if (!text) {
    dialogs_.Show(Warning("The message pane holds no cipher text to show."));
    return;
  }
  frmShow viewer(QString::fromStdString(*text), this);
  RunModal(viewer);
}

void frmMain::DeleteMsg() {
  ShowBox(installation_->DeleteMsg());
  SetPane("");
}

void frmMain::PrintMessage() {
  desktop_.Print(this, store::PrintLines(installation_->SelectedFrom, installation_->SelectedSubject,
                                         installation_->SelectedDate, paneText_));
}

void frmMain::CleanUpBox(const std::string& box) {
  installation_->CleanUpBox = box;
  frmCleanUp window(installation_->ProgramFolder, box, dialogs_, this);
  if (!window.ByPassClean()) desktop_.RunModal(window);
  Activate();
}

void frmMain::CleanUpShownBox() {
  const auto box = store::Installation::CleanUpBoxFromCaption(Frame2->title().toStdString());
  if (box) CleanUpBox(*box);
}

void frmMain::ShowAttachments() {
  frmAttachments window(installation_->ProgramFolder, dialogs_, desktop_, this);
  if (window.NothingToShow()) {
    dialogs_.Show(base::MessageBox{std::string(store::kNoAttachments), "", base::Buttons::Ok});
    Activate();
    return;
  }
  RunModal(window);
}

void frmMain::ImportMessage() {
  const auto chosen = desktop_.ChooseFileToOpen(this, "Select Text Message to Import");
  if (!chosen) return;
  const auto box = installation_->ImportMessage(*chosen);
  if (box) ShowBox(box);
}

void frmMain::ImportAttachment() {
  const auto chosen = desktop_.ChooseFileToOpen(this, "Select Attachment to Import");
  if (!chosen || !installation_->ImportAttachment(*chosen)) return;
  store::AttachmentCheck check;
  {
    WorkProgress progress(this, "Deciphering the attachments...");
    check = store::CheckAttachments(installation_->ProgramFolder, installation_->Engine, progress.Report());
  }
  installation_->DecryptedCount = check.DecryptedCount;
  for (const auto& name : check.failedNames) {
    dialogs_.Show(Warning("The attachment " + name +
                          " could not be deciphered with the key loaded. It stays in the Received list."));
  }
}

void frmMain::ResetAllBoxes() {
  const auto box = installation_->ResetAllBoxes();
  if (box) ShowBox(box);
}

void frmMain::ShowHelp(std::string_view page) {
  installation_->HelpTopic = installation_->ProgramFolder + std::string(page);
  frmBrowser browser(installation_->ProgramFolder, installation_->HelpTopic, desktop_, this);
  RunModal(browser);
}

void frmMain::ShowAbout() {
  frmAbout about(this);
  RunModal(about);
}

void frmMain::Exit() { close(); }

}  // namespace ostrel::ui
