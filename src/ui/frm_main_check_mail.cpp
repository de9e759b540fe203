// The main window checks for new mail: the default key's keyspace first, the
// receiving window while the mail comes in, then the attachment check, the
// summary in the status line and the In box.
#include <QLabel>

#include "transport/receiving.h"
#include "ui/desktop.h"
#include "ui/frm_check_mail.h"
#include "ui/frm_main.h"
#include "ui/work_progress.h"

namespace ostrel::ui {
namespace {

// A message box's text on one line: each run of line breaks becomes two blanks.
std::string OneLine(std::string_view text) {
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') {
      line += text[i];
    } else if (i == 0 || (text[i - 1] != '\r' && text[i - 1] != '\n')) {
      line += "  ";
    }
  }
  return line;
}

// A check nobody asked for just now must not stop the person with a message
// box: each one goes to the status line, and the first is told again after
// the summary, which would otherwise cover it.
class StatusOnlyDialogs : public base::Dialogs {
 public:
  explicit StatusOnlyDialogs(base::Dialogs& inner) : inner_(inner) {}
  void Show(const base::MessageBox& box) override {
    const std::string text = OneLine(box.text);
    if (firstProblem_.empty()) firstProblem_ = text;
    inner_.SetStatus(text);
  }
  base::Answer Ask(const base::MessageBox& box) override { return inner_.Ask(box); }
  void SetStatus(std::string_view text) override { inner_.SetStatus(text); }
  const std::string& FirstProblem() const { return firstProblem_; }

 private:
  base::Dialogs& inner_;
  std::string firstProblem_;
};

}  // namespace

void frmMain::CheckMail() { RunMailCheck(false); }

void frmMain::RunMailCheck(bool periodic) {
  // However the check ends, the next periodic one is a whole interval away.
  struct Running {
    explicit Running(frmMain& window) : window_(window) { window_.checkingMail_ = true; }
    ~Running() {
      window_.checkingMail_ = false;
      window_.mailCheckSchedule_->CheckEnded();
      window_.SetMailCheckTimer();
    }
    frmMain& window_;
  } running(*this);

  StatusOnlyDialogs statusOnly(dialogs_);
  base::Dialogs& dialogs = periodic ? static_cast<base::Dialogs&>(statusOnly) : dialogs_;
  const std::string shownBox = installation_->CurrentBox;

  const auto defaultKey = transport::PrepareCheck(*installation_, dialogs);
  if (!defaultKey) return;
  {
    frmCheckMail window(*installation_, dialogs, nullptr, this);
    // Over whatever the person is doing, the window shows without taking
    // the keyboard.
    if (periodic) window.setAttribute(Qt::WA_ShowWithoutActivating);
    desktop_.RunModal(window);
    window.WaitUntilDone();
  }
  std::optional<store::BoxView> box;
  {
    WorkProgress progress(this, "Deciphering the attachments...");
    box = transport::FinishCheck(*installation_, dialogs, *defaultKey, progress.Report());
  }
  if (!periodic) {
    SetPane("");
    ShowBox(box);
    return;
  }
  // The box and the message the person was reading stay; the box is read
  // again, since it may be the In box.
  if (!shownBox.empty()) installation_->CurrentBox = shownBox;
  ShowBox(installation_->LoadBox());
  if (!statusOnly.FirstProblem().empty()) {
    dialogs_.SetStatus(lbStat->text().toStdString() + "  " + statusOnly.FirstProblem());
  }
  if (const auto notice = transport::NewMailNoticeText(installation_->FiledCount)) newMailNotifier_->Notify(*notice);
}

}  // namespace ostrel::ui
