// The main window checks for new mail: the default key's keyspace first, the
// receiving window while the mail comes in, then the attachment check, the
// summary in the status line and the In box.
#include "transport/receiving.h"
#include "ui/desktop.h"
#include "ui/frm_check_mail.h"
#include "ui/frm_main.h"
#include "ui/work_progress.h"

namespace ostrel::ui {

void frmMain::CheckMail() {
  const auto defaultKey = transport::PrepareCheck(*installation_, dialogs_);
  if (!defaultKey) return;
  {
    frmCheckMail window(*installation_, dialogs_, nullptr, this);
    desktop_.RunModal(window);
    window.WaitUntilDone();
  }
  std::optional<store::BoxView> box;
  {
    WorkProgress progress(this, "Deciphering the attachments...");
    box = transport::FinishCheck(*installation_, dialogs_, *defaultKey, progress.Report());
  }
  SetPane("");
  ShowBox(box);
}

}  // namespace ostrel::ui
