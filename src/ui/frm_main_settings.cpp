// The main window opens the settings windows: options, address book,
// signatures and filters.
#include <QPlainTextEdit>

#include "ui/desktop.h"
#include "ui/frm_address.h"
#include "ui/frm_filters.h"
#include "ui/frm_main.h"
#include "ui/frm_options.h"
#include "ui/frm_signatures.h"
#include "ui/text_look.h"

namespace ostrel::ui {

void frmMain::OpenOptions() {
  frmOptions window(installation_->ProgramFolder, installation_->MailOptions, dialogs_, desktop_, this);
  desktop_.RunModal(window);
  if (window.SavedLook()) {
    // The activation step does not touch the look, so a saved one is applied here.
    ApplyTextLook(*Text1, *window.SavedLook());
    installation_->SettingsSaved();
  }
  ReadMailCheckInterval();
  Activate();
}

void frmMain::OpenAddressBook() {
  frmAddress window(installation_->ProgramFolder, dialogs_, this);
  RunModal(window);
}

void frmMain::OpenSignatures() {
  frmSignatures window(installation_->ProgramFolder, dialogs_, this);
  RunModal(window);
}

void frmMain::OpenFilters() {
  frmFilters window(installation_->ProgramFolder, installation_->MailOptions, dialogs_, this);
  RunModal(window);
}

}  // namespace ostrel::ui
