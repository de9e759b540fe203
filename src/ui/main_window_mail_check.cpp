// The main window checks for new mail: the default key's keyspace first, the
// receiving window while the mail comes in, then the attachment check, the
// summary in the status line and the In box. A timer set to when the next
// check is due starts the periodic check, which waits while anything else
// runs and is followed by a notice of new mail.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <algorithm>
#include <exception>
#include <limits>

#include "mail/receiving.h"
#include "settings/mail_check_interval.h"
#include "ui/check_mail_dialog.h"
#include "ui/desktop.h"
#include "ui/desktop_notifier.h"
#include "ui/main_window.h"
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

void MainWindow::CheckMail() { RunMailCheck(false); }

void MainWindow::RunMailCheck(bool periodic) {
  // However the check ends, the next periodic one is a whole interval away.
  struct Running {
    explicit Running(MainWindow& window) : window_(window) { window_.checkingMail_ = true; }
    ~Running() {
      window_.checkingMail_ = false;
      window_.mailCheckSchedule_->CheckEnded();
      window_.SetMailCheckTimer();
    }
    MainWindow& window_;
  } running(*this);

  StatusOnlyDialogs statusOnly(dialogs_);
  base::Dialogs& dialogs = periodic ? static_cast<base::Dialogs&>(statusOnly) : dialogs_;
  const std::optional<store::BoxName> shownBox = installation_->Selection.CurrentBox;

  const auto defaultKey = mail::PrepareCheck(*installation_, dialogs);
  if (!defaultKey) return;
  {
    CheckMailDialog window(*installation_, dialogs, nullptr, this);
    // Over whatever the person is doing, the window shows without taking
    // the keyboard.
    if (periodic) window.setAttribute(Qt::WA_ShowWithoutActivating);
    desktop_.RunModal(window);
    window.WaitUntilDone();
  }
  std::optional<store::BoxView> box;
  {
    WorkProgress progress(this, "Deciphering the attachments...");
    box = mail::FinishCheck(*installation_, dialogs, *defaultKey, progress.Report());
  }
  if (!periodic) {
    SetPane("");
    ShowBox(box);
    return;
  }
  // The box and the message the person was reading stay; the box is read
  // again, since it may be the In box.
  if (shownBox) installation_->Selection.CurrentBox = shownBox;
  ShowBox(installation_->LoadBox());
  if (!statusOnly.FirstProblem().empty()) {
    dialogs_.SetStatus(statusLabel->text().toStdString() + "  " + statusOnly.FirstProblem());
  }
  if (const auto notice = mail::NewMailNoticeText(installation_->MailCheck.FiledCount)) newMailNotifier_->Notify(*notice);
}

void MainWindow::BuildMailCheckTimer() {
  mailCheckSchedule_ = std::make_unique<mail::MailCheckSchedule>(steadyClock_);
  mailCheckTimer_ = new QTimer(this);
  mailCheckTimer_->setObjectName("mailCheckTimer");
  mailCheckTimer_->setSingleShot(true);
  connect(mailCheckTimer_, &QTimer::timeout, this, &MainWindow::CheckMailIfDue);
  newMailNotifier_ = std::make_unique<DesktopNotifier>([this](std::string_view text) {
    // Without the desktop's notifications the status line tells it, and the
    // task bar asks for attention.
    dialogs_.SetStatus(text);
    QApplication::alert(this);
  });
}

void MainWindow::UseMailCheckClock(const mail::MailCheckClock& clock) {
  const auto interval = mailCheckSchedule_->Interval();
  mailCheckSchedule_ = std::make_unique<mail::MailCheckSchedule>(clock);
  mailCheckSchedule_->SetInterval(interval);
  SetMailCheckTimer();
}

void MainWindow::UseNewMailNotifier(std::unique_ptr<mail::NewMailNotifier> notifier) {
  newMailNotifier_ = std::move(notifier);
}

void MainWindow::ReadMailCheckInterval() {
  mailCheckSchedule_->SetInterval(std::chrono::minutes(settings::ReadMailCheckMinutes(installation_->ProgramFolder)));
  SetMailCheckTimer();
}

void MainWindow::SetMailCheckTimer() {
  const auto wakeIn = mailCheckSchedule_->UntilDue();
  if (!wakeIn || exited_) {
    mailCheckTimer_->stop();
    return;
  }
  const auto ms = std::clamp<std::int64_t>(wakeIn->count(), 0, std::numeric_limits<int>::max());
  mailCheckTimer_->start(static_cast<int>(ms));
}

// Anything that runs now would be interrupted by a check in the middle:
// another check, a window over the main window (a send runs in one), a menu,
// and work that shows the wait pointer while it lets the window paint.
bool MainWindow::BusyForMailCheck() const {
  return checkingMail_ || activating_ || exited_ || !installation_->Run.FirstActivationDone ||
         QApplication::activeModalWidget() != nullptr || QApplication::activePopupWidget() != nullptr ||
         QApplication::overrideCursor() != nullptr;
}

void MainWindow::CheckMailIfDue() {
  const auto woken = mailCheckSchedule_->Woken(BusyForMailCheck());
  if (!woken.checkNow) {
    if (woken.wakeIn && !exited_) {
      mailCheckTimer_->start(
          static_cast<int>(std::min<std::int64_t>(woken.wakeIn->count(), std::numeric_limits<int>::max())));
    }
    return;
  }
  try {
    RunMailCheck(true);
  } catch (const std::exception& error) {
    // Nobody asked for this check: the next one may well go through.
    dialogs_.SetStatus(std::string("The mail check stopped: ") + error.what());
  }
}

}  // namespace ostrel::ui
