// The main window's menus, popup menu, picture buttons and shortcuts, wired
// from one table, and the handlers behind them.
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
#include "ui/about_dialog.h"
#include "ui/attachments_window.h"
#include "ui/box_table_model.h"
#include "ui/browser_window.h"
#include "ui/cipher_text_viewer.h"
#include "ui/clean_up_dialog.h"
#include "ui/desktop.h"
#include "ui/guarded.h"
#include "ui/main_window.h"
#include "ui/named_control.h"
#include "ui/wait_pointer.h"
#include "ui/warning_box.h"
#include "ui/work_progress.h"

namespace ostrel::ui {

struct MainWindow::MenuEntry {
  QMenu* MainWindow::*menu;      // the menu it goes into; null: a picture button only
  const char* name;              // its object name
  const char* caption;           // null: a divider
  QAction* MainWindow::*item;    // where the item is kept, if anywhere
  QMenu* MainWindow::*submenu;   // a submenu this entry opens instead of an item
  QToolButton* MainWindow::*button;  // the picture button doing the same, if any
  QList<QKeySequence> shortcuts;
  void (*handler)(MainWindow&);  // null: the entry only closes its menu
};

// The menus in their order, each item with its picture button, shortcuts
// and handler.
const std::vector<MainWindow::MenuEntry>& MainWindow::MenuTable() {
  using W = MainWindow;
  static const std::vector<MenuEntry> table = {
      {&W::fileMenu_, "addressBookAction", "Address Book...", &W::addressBookAction, nullptr, &W::addressBookButton, {},
       [](W& w) { w.OpenAddressBook(); }},
      {&W::fileMenu_, "keyManagementAction", "Key Management...", &W::keyManagementAction, nullptr,
       &W::keyManagementButton, {}, [](W& w) { w.OpenKeyManagement(); }},
      {&W::fileMenu_, "filtersAction", "Filters...", &W::filtersAction, nullptr, nullptr, {},
       [](W& w) { w.OpenFilters(); }},
      {&W::fileMenu_, "importSeparator", nullptr, nullptr, nullptr, nullptr, {}, nullptr},
      {&W::fileMenu_, "importMenu", "Import", nullptr, &W::importMenu, nullptr, {}, nullptr},
      {&W::importMenu, "importMessageAction", "Message", &W::importMessageAction, nullptr, nullptr, {},
       [](W& w) { w.ImportMessage(); }},
      {&W::importMenu, "importAttachmentsAction", "Attachments", &W::importAttachmentsAction, nullptr, nullptr, {},
       [](W& w) { w.ImportAttachment(); }},
      {&W::fileMenu_, "optionsAction", "Options/Accounts...", &W::optionsAction, nullptr, nullptr, {},
       [](W& w) { w.OpenOptions(); }},
      {&W::fileMenu_, "resetAllBoxesAction", "Reset All Boxes", &W::resetAllBoxesAction, nullptr, nullptr, {},
       [](W& w) { w.ResetAllBoxes(); }},
      {&W::fileMenu_, "signaturesAction", "Signatures...", &W::signaturesAction, nullptr, nullptr, {},
       [](W& w) { w.OpenSignatures(); }},
      {&W::fileMenu_, "exitSeparator", nullptr, nullptr, nullptr, nullptr, {}, nullptr},
      {&W::fileMenu_, "exitAction", "Exit", &W::exitAction, nullptr, nullptr, {QKeySequence(Qt::CTRL | Qt::Key_Q)},
       [](W& w) { w.Exit(); }},

      {&W::emailMenu_, "checkMailAction", "Check Mail", &W::checkMailAction, nullptr, &W::checkMailButton,
       {QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_R)}, [](W& w) { w.CheckMail(); }},
      {&W::emailMenu_, "boxesSeparator", nullptr, nullptr, nullptr, nullptr, {}, nullptr},
      {&W::emailMenu_, "inBoxAction", "In Box", &W::inBoxAction, nullptr, &W::inBoxButton, {},
       [](W& w) { w.SwitchBox(store::BoxName::In); }},
      {&W::emailMenu_, "sentAction", "Sent", &W::sentAction, nullptr, &W::sentButton, {},
       [](W& w) { w.SwitchBox(store::BoxName::Sent); }},
      {&W::emailMenu_, "junkAction", "Junk", &W::junkAction, nullptr, &W::junkButton, {},
       [](W& w) { w.SwitchBox(store::BoxName::Junk); }},
      {&W::emailMenu_, "trashAction", "Trash Bin", &W::trashAction, nullptr, &W::trashButton, {},
       [](W& w) { w.SwitchBox(store::BoxName::Trash); }},
      {&W::emailMenu_, "cleanUpSeparator", nullptr, nullptr, nullptr, nullptr, {}, nullptr},
      {&W::emailMenu_, "cleanUpMenu", "Clean Up", nullptr, &W::cleanUpMenu, nullptr, {}, nullptr},
      {&W::cleanUpMenu, "cleanUpInBoxAction", "In Box", &W::cleanUpInBoxAction, nullptr, nullptr, {},
       [](W& w) { w.CleanUpBox(store::BoxName::In); }},
      {&W::cleanUpMenu, "cleanUpSentAction", "Sent", &W::cleanUpSentAction, nullptr, nullptr, {},
       [](W& w) { w.CleanUpBox(store::BoxName::Sent); }},
      {&W::cleanUpMenu, "cleanUpJunkAction", "Junk", &W::cleanUpJunkAction, nullptr, nullptr, {},
       [](W& w) { w.CleanUpBox(store::BoxName::Junk); }},
      {&W::cleanUpMenu, "cleanUpTrashAction", "Trash Bin", &W::cleanUpTrashAction, nullptr, nullptr, {},
       [](W& w) { w.CleanUpBox(store::BoxName::Trash); }},
      {&W::emailMenu_, "newMessageSeparator", nullptr, nullptr, nullptr, nullptr, {}, nullptr},
      {&W::emailMenu_, "newMessageAction", "New Message...", &W::newMessageAction, nullptr, &W::newMessageButton,
       {QKeySequence(QKeySequence::New)}, [](W& w) { w.OpenCompose(store::ComposeMode::New); }},
      {nullptr, "cleanUpButton", nullptr, nullptr, nullptr, &W::cleanUpButton, {},
       [](W& w) { w.CleanUpShownBox(); }},
      {nullptr, "attachmentsButton", nullptr, nullptr, nullptr, &W::attachmentsButton, {},
       [](W& w) { w.ShowAttachments(); }},

      {&W::helpMenu_, "aboutAction", "About", &W::aboutAction, nullptr, nullptr, {}, [](W& w) { w.ShowAbout(); }},
      {&W::helpMenu_, "helpPagesSeparator", nullptr, nullptr, nullptr, nullptr, {}, nullptr},
      {&W::helpMenu_, "usingHelpAction", "Using Ostrel Email", &W::usingHelpAction, nullptr, nullptr, {},
       [](W& w) { w.ShowHelp("oxmover.htm"); }},
      {&W::helpMenu_, "keyManagementHelpAction", "Key Management", &W::keyManagementHelpAction, nullptr, nullptr, {},
       [](W& w) { w.ShowHelp("oxmkey.htm"); }},
      {&W::helpMenu_, "sendingHelpAction", "Sending Email", &W::sendingHelpAction, nullptr, nullptr, {},
       [](W& w) { w.ShowHelp("oxmsend.htm"); }},
      {&W::helpMenu_, "receivingHelpAction", "Receiving Email", &W::receivingHelpAction, nullptr, nullptr, {},
       [](W& w) { w.ShowHelp("oxmrecv.htm"); }},

      {&W::rowMenu, "deleteRowAction", "Delete Msg", &W::deleteRowAction, nullptr, nullptr, {},
       [](W& w) { w.DeleteMsg(); }},
      {&W::rowMenu, "printRowAction", "Print", &W::printRowAction, nullptr, nullptr, {},
       [](W& w) { w.PrintMessage(); }},
      {&W::rowMenu, "replyRowAction", "Reply...", &W::replyRowAction, nullptr, nullptr, {},
       [](W& w) { w.OpenCompose(store::ComposeMode::Reply); }},
      {&W::rowMenu, "forwardRowAction", "Forward...", &W::forwardRowAction, nullptr, nullptr, {},
       [](W& w) { w.OpenCompose(store::ComposeMode::Forward); }},
      {&W::rowMenu, "rowMenuSeparator", nullptr, nullptr, nullptr, nullptr, {}, nullptr},
      // "Exit" only closes the popup menu.
      {&W::rowMenu, "closeRowMenuAction", "Exit", &W::closeRowMenuAction, nullptr, nullptr, {}, nullptr},
  };
  return table;
}

void MainWindow::BuildMenus() {
  fileMenu_ = menuBar()->addMenu("File");
  fileMenu_->setObjectName("fileMenu");
  emailMenu_ = menuBar()->addMenu("Email");
  emailMenu_->setObjectName("emailMenu");
  helpMenu_ = menuBar()->addMenu("Help");
  helpMenu_->setObjectName("helpMenu");
  rowMenu = Named<QMenu>("rowMenu", "popmenu", this);

  for (const MenuEntry& entry : MenuTable()) {
    const auto handler = [this, run = entry.handler] { run(*this); };
    if (entry.menu != nullptr) {
      QMenu* menu = this->*entry.menu;
      if (entry.submenu != nullptr) {
        QMenu* submenu = menu->addMenu(entry.caption);
        submenu->setObjectName(entry.name);
        this->*entry.submenu = submenu;
        continue;
      }
      QAction* item = entry.caption != nullptr ? menu->addAction(entry.caption) : menu->addSeparator();
      item->setObjectName(entry.name);
      if (entry.item != nullptr) this->*entry.item = item;
      if (!entry.shortcuts.empty()) item->setShortcuts(entry.shortcuts);
      if (entry.handler != nullptr) OnTrigger(item, dialogs_, handler);
    }
    if (entry.button != nullptr) OnClick(this->*entry.button, dialogs_, handler);
  }
}

void MainWindow::BuildPrintShortcut() {
  // Print acts on the grid's current row, as the popup would; so does the
  // Delete key, which the grid's key handling passes on.
  auto* printRow = new QShortcut(QKeySequence::Print, this);
  connect(printRow, &QShortcut::activated, this, Guarded(dialogs_, ActionName(printRowAction->text()), [this] {
            if (SelectCurrentRow()) PrintMessage();
          }));
}

void MainWindow::RunModal(QDialog& window) {
  desktop_.RunModal(window);
  Activate();
}

void MainWindow::SwitchBox(store::BoxName box) {
  SetPane("");
  ShowBox(installation_->ChooseBox(box));
}

void MainWindow::OpenRow(int row) {
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
    helpTopic_.clear();
    BrowserWindow browser(installation_->ProgramFolder, helpTopic_, desktop_, this);
    RunModal(browser);
  }
}

void MainWindow::PopUpRow(int row, const QPoint& at) {
  const std::int64_t record = RecordOfRow(row);
  if (record < 1) return;
  boxGrid->setCurrentIndex(model_->index(row, 1));
  if (!installation_->SelectRow(record)) return;
  desktop_.PopUp(*rowMenu, at);
}

void MainWindow::ChooseKey() {
  WaitPointer wait;
  keys::SelectKey(installation_->ProgramFolder, keyList->currentText().toStdString(), installation_->Engine,
                  installation_->CurrentKey, dialogs_);
}

void MainWindow::Decrypt() {
  std::optional<std::string> plain;
  {
    WaitPointer wait;
    plain = store::DecryptPane(paneText_, installation_->Engine, cipherTextBuffer_, dialogs_);
  }
  if (!plain) return;
  SetPane(*plain);
  // The pane holds plain text now; opening the message again brings back its cipher text.
  decryptButton->setEnabled(false);
}

void MainWindow::ViewAsWeb() {
  const store::SelectionState& selection = installation_->Selection;
  if (selection.CurrentMessage.empty() || !selection.CurrentBox) return;
  bool prepared = false;
  {
    WaitPointer wait;
    prepared = store::PrepareWebView(installation_->ProgramFolder, store::NameOf(*selection.CurrentBox),
                                     selection.CurrentMessage);
  }
  if (!prepared) return;
  helpTopic_.clear();
  BrowserWindow browser(installation_->ProgramFolder, helpTopic_, desktop_, this);
  RunModal(browser);
}

void MainWindow::ViewCipherText() {
  const auto text = store::CipherViewText(paneText_, cipherTextBuffer_);
  if (!text) {
    dialogs_.Show(WarningBox("The message pane holds no cipher text to show."));
    return;
  }
  CipherTextViewer viewer(QString::fromStdString(*text), this);
  RunModal(viewer);
}

void MainWindow::DeleteMsg() {
  ShowBox(installation_->DeleteMsg());
  SetPane("");
}

void MainWindow::PrintMessage() {
  const store::SelectionState& selection = installation_->Selection;
  desktop_.Print(this, store::PrintLines(selection.SelectedFrom, selection.SelectedSubject, selection.SelectedDate,
                                         paneText_));
}

void MainWindow::CleanUpBox(store::BoxName box) {
  CleanUpDialog window(installation_->ProgramFolder, box, dialogs_, this);
  if (!window.ByPassClean()) desktop_.RunModal(window);
  Activate();
}

void MainWindow::CleanUpShownBox() {
  const auto box = store::Installation::CleanUpBoxFromCaption(boxFrame->title().toStdString());
  if (box) CleanUpBox(*box);
}

void MainWindow::ShowAttachments() {
  AttachmentsWindow window(installation_->ProgramFolder, dialogs_, desktop_, this);
  if (window.NothingToShow()) {
    dialogs_.Show(base::PlainBox(std::string(store::kNoAttachments)));
    Activate();
    return;
  }
  RunModal(window);
}

void MainWindow::ImportMessage() {
  const auto chosen = desktop_.ChooseFileToOpen(this, "Select Text Message to Import");
  if (!chosen) return;
  const auto box = installation_->ImportMessage(*chosen);
  if (box) ShowBox(box);
}

void MainWindow::ImportAttachment() {
  const auto chosen = desktop_.ChooseFileToOpen(this, "Select Attachment to Import");
  if (!chosen || !installation_->ImportAttachment(*chosen)) return;
  store::AttachmentCheck check;
  {
    WorkProgress progress(this, "Deciphering the attachments...");
    check = store::CheckAttachments(installation_->ProgramFolder, installation_->Engine, progress.Report());
  }
  installation_->MailCheck.DecryptedCount = check.DecryptedCount;
  for (const auto& name : check.failedNames) {
    dialogs_.Show(WarningBox("The attachment " + name +
                             " could not be deciphered with the key loaded. It stays in the Received list."));
  }
}

void MainWindow::ResetAllBoxes() {
  const auto box = installation_->ResetAllBoxes();
  if (box) ShowBox(box);
}

void MainWindow::ShowHelp(std::string_view page) {
  helpTopic_ = installation_->ProgramFolder + std::string(page);
  BrowserWindow browser(installation_->ProgramFolder, helpTopic_, desktop_, this);
  RunModal(browser);
}

void MainWindow::ShowAbout() {
  AboutDialog about(this);
  RunModal(about);
}

void MainWindow::Exit() { close(); }

}  // namespace ostrel::ui
