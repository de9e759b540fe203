// The main window opens the compose window.
#include "ui/frm_later.h"
#include "ui/frm_main.h"

namespace ostrel::ui {

void frmMain::OpenCompose(const char* mode) {
  installation_->ComposeMode = mode;
  OpenLater("frmNewMsg", mode);
}

}  // namespace ostrel::ui
