// The main window opens the compose window.
#include "ui/frm_main.h"
#include "ui/frm_new_msg.h"

namespace ostrel::ui {

void frmMain::OpenCompose(const char* mode) {
  installation_->ComposeMode = mode;
  frmNewMsg window(*installation_, PaneText(), dialogs_, desktop_, this);
  RunModal(window);
}

}  // namespace ostrel::ui
