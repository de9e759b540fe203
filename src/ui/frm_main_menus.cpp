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
#include "ui/guarded.h"
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

  OnTrigger(fleadr, dialogs_, [this] { OpenAddressBook(); });
  OnClick(Image2, dialogs_, [this] { OpenAddressBook(); });
  OnTrigger(flekey, dialogs_, [this] { OpenKeyManagement(); });
  OnClick(Image3, dialogs_, [this] { OpenKeyManagement(); });
  OnTrigger(flefil, dialogs_, [this] { OpenFilters(); });
  OnTrigger(fleopt, dialogs_, [this] { OpenOptions(); });
  OnTrigger(flesig, dialogs_, [this] { OpenSignatures(); });
  OnTrigger(emnew, dialogs_, [this] { OpenCompose("New"); });
  OnClick(Image4, dialogs_, [this] { OpenCompose("New"); });
  OnTrigger(fleimmsg, dialogs_, [this] { ImportMessage(); });
  OnTrigger(fleimpat, dialogs_, [this] { ImportAttachment(); });
  OnTrigger(flerest, dialogs_, [this] { ResetAllBoxes(); });
  OnTrigger(fleext, dialogs_, [this] { Exit(); });
  OnTrigger(flecheck, dialogs_, [this] { CheckMail(); });
  OnClick(Image1, dialogs_, [this] { CheckMail(); });

  OnTrigger(emin, dialogs_, [this] { SwitchBox("In"); });
  OnClick(Image5, dialogs_, [this] { SwitchBox("In"); });
  OnTrigger(emout, dialogs_, [this] { SwitchBox("Sent"); });
  OnClick(Image6, dialogs_, [this] { SwitchBox("Sent"); });
  OnTrigger(emljunk, dialogs_, [this] { SwitchBox("Junk"); });
  OnClick(Image7, dialogs_, [this] { SwitchBox("Junk"); });
  OnTrigger(emtrash, dialogs_, [this] { SwitchBox("Trash"); });
  OnClick(Image8, dialogs_, [this] { SwitchBox("Trash"); });
  OnTrigger(emcin, dialogs_, [this] { CleanUpBox("In"); });
  OnTrigger(emcse, dialogs_, [this] { CleanUpBox("Sent"); });
  OnTrigger(emcj, dialogs_, [this] { CleanUpBox("Junk"); });
  OnTrigger(emcd, dialogs_, [this] { CleanUpBox("Trash"); });
  OnClick(Image9, dialogs_, [this] { CleanUpShownBox(); });
  OnClick(Image10, dialogs_, [this] { ShowAttachments(); });

  OnTrigger(hlpabout, dialogs_, [this] { ShowAbout(); });
  OnTrigger(hlp1, dialogs_, [this] { ShowHelp("oxmover.htm"); });
  OnTrigger(hlp2, dialogs_, [this] { ShowHelp("oxmkey.htm"); });
  OnTrigger(hlp3, dialogs_, [this] { ShowHelp("oxmsend.htm"); });
  OnTrigger(hlp4, dialogs_, [this] { ShowHelp("oxmrecv.htm"); });
}

void frmMain::BuildPopupMenu() {
  popm = Named<QMenu>("popm", "popmenu", this);
  popdel = Item(popm, "popdel", "Delete Msg");
  popprt = Item(popm, "popprt", "Print");
  poprp = Item(popm, "poprp", "Reply...");
  popfor = Item(popm, "popfor", "Forward...");
  popdiv = Divider(popm, "popdiv");
  popext = Item(popm, "popext", "Exit");
  OnTrigger(popdel, dialogs_, [this] { DeleteMsg(); });
  OnTrigger(popprt, dialogs_, [this] { PrintMessage(); });
  OnTrigger(poprp, dialogs_, [this] { OpenCompose("Reply"); });
  OnTrigger(popfor, dialogs_, [this] { OpenCompose("Forward"); });
  // "Exit" only closes the popup menu.
}

void frmMain::BuildShortcuts() {
  emnew->setShortcut(QKeySequence::New);
  flecheck->setShortcuts({QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_R)});
  fleext->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  // Print acts on the grid's current row, as the popup would; so does the
  // Delete key, which the grid's key handling passes on.
  auto* printRow = new QShortcut(QKeySequence::Print, this);
  connect(printRow, &QShortcut::activated, this, Guarded(dialogs_, ActionName(popprt->text()), [this] {
            if (SelectCurrentRow()) PrintMessage();
          }));
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
  if (!plain) return;
  SetPane(*plain);
  // The pane holds plain text now; opening the message again brings back its cipher text.
  Command1->setEnabled(false);
}

void frmMain::ViewAsWeb() {
  if (installation_->CurrentMessage.empty()) return;
  bool prepared = false;
  {
    WaitPointer wait;
    prepared = store::PrepareWebView(installation_->ProgramFolder, installation_->CurrentBox,
                                     installation_->CurrentMessage);
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
