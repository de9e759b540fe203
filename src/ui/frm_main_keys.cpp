// The main window opens key management.
#include "ui/frm_key_management.h"
#include "ui/frm_main.h"

namespace ostrel::ui {

void frmMain::OpenKeyManagement() {
  frmKeyManagement window(*installation_, dialogs_, desktop_, this);
  RunModal(window);
}

}  // namespace ostrel::ui
