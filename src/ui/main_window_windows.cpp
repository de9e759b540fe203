// The main window opens its work windows, each modally: compose, key
// management, and the settings windows (options, address book, signatures
// and filters).
#include <QPlainTextEdit>

#include "ui/address_book_dialog.h"
#include "ui/compose_window.h"
#include "ui/desktop.h"
#include "ui/filters_dialog.h"
#include "ui/key_management_dialog.h"
#include "ui/main_window.h"
#include "ui/options_dialog.h"
#include "ui/signatures_dialog.h"
#include "ui/text_look.h"

namespace ostrel::ui {

void MainWindow::OpenCompose(store::ComposeMode mode) {
  installation_->Compose.ComposeMode = mode;
  ComposeWindow window(*installation_, PaneText(), dialogs_, desktop_, this);
  RunModal(window);
}

void MainWindow::OpenKeyManagement() {
  KeyManagementDialog window(*installation_, dialogs_, desktop_, this);
  RunModal(window);
}

void MainWindow::OpenOptions() {
  OptionsDialog window(installation_->ProgramFolder, installation_->MailOptions, dialogs_, desktop_, this);
  desktop_.RunModal(window);
  if (window.SavedLook()) {
    // The activation step does not touch the look, so a saved one is applied here.
    ApplyTextLook(*messagePane, *window.SavedLook());
    installation_->SettingsSaved();
  }
  ReadMailCheckInterval();
  Activate();
}

void MainWindow::OpenAddressBook() {
  AddressBookDialog window(installation_->ProgramFolder, dialogs_, this);
  RunModal(window);
}

void MainWindow::OpenSignatures() {
  SignaturesDialog window(installation_->ProgramFolder, dialogs_, this);
  RunModal(window);
}

void MainWindow::OpenFilters() {
  FiltersDialog window(installation_->ProgramFolder, installation_->MailOptions, dialogs_, this);
  RunModal(window);
}

}  // namespace ostrel::ui
