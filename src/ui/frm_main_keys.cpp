// The main window opens key management.
#include "ui/frm_later.h"
#include "ui/frm_main.h"

namespace ostrel::ui {

void frmMain::OpenKeyManagement() { OpenLater("frmKeyManagement", "Key Management"); }

}  // namespace ostrel::ui
