// The main window opens the settings windows: options, address book,
// signatures and filters.
#include "ui/frm_later.h"
#include "ui/frm_main.h"

namespace ostrel::ui {

void frmMain::OpenOptions() { OpenLater("frmOptions", "Options/Accounts"); }
void frmMain::OpenAddressBook() { OpenLater("frmAddressBook", "Address Book"); }
void frmMain::OpenSignatures() { OpenLater("frmSignatures", "Signatures"); }
void frmMain::OpenFilters() { OpenLater("frmFilters", "Filters"); }

}  // namespace ostrel::ui
