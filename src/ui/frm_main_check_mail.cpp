// The main window checks for new mail.
#include "ui/desktop.h"
#include "ui/frm_later.h"
#include "ui/frm_main.h"

namespace ostrel::ui {

void frmMain::CheckMail() {
  frmLater window("frmCheckMail", "Check Mail", this);
  desktop_.RunModal(window);
  ShowBox(installation_->ChooseBox("In"));
}

}  // namespace ostrel::ui
