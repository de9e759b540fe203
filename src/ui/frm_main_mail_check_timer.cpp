// The main window's periodic mail check: a timer set to when the next check
// is due, a check that waits while anything else runs, and the notice of new
// mail afterwards.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <algorithm>
#include <exception>
#include <limits>

#include "settings/mail_check_interval.h"
#include "ui/desktop_notifier.h"
#include "ui/frm_main.h"

namespace ostrel::ui {

void frmMain::BuildMailCheckTimer() {
  mailCheckSchedule_ = std::make_unique<transport::MailCheckSchedule>(steadyClock_);
  mailCheckTimer_ = new QTimer(this);
  mailCheckTimer_->setObjectName("mailCheckTimer");
  mailCheckTimer_->setSingleShot(true);
  connect(mailCheckTimer_, &QTimer::timeout, this, &frmMain::CheckMailIfDue);
  newMailNotifier_ = std::make_unique<DesktopNotifier>([this](std::string_view text) {
    // Without the desktop's notifications the status line tells it, and the
    // task bar asks for attention.
    dialogs_.SetStatus(text);
    QApplication::alert(this);
  });
}

void frmMain::UseMailCheckClock(const transport::MailCheckClock& clock) {
  const auto interval = mailCheckSchedule_->Interval();
  mailCheckSchedule_ = std::make_unique<transport::MailCheckSchedule>(clock);
  mailCheckSchedule_->SetInterval(interval);
  SetMailCheckTimer();
}

void frmMain::UseNewMailNotifier(std::unique_ptr<transport::NewMailNotifier> notifier) {
  newMailNotifier_ = std::move(notifier);
}

void frmMain::ReadMailCheckInterval() {
  mailCheckSchedule_->SetInterval(std::chrono::minutes(settings::ReadMailCheckMinutes(installation_->ProgramFolder)));
  SetMailCheckTimer();
}

void frmMain::SetMailCheckTimer() {
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
bool frmMain::BusyForMailCheck() const {
  return checkingMail_ || activating_ || exited_ || !installation_->FirstActivationDone ||
         QApplication::activeModalWidget() != nullptr || QApplication::activePopupWidget() != nullptr ||
         QApplication::overrideCursor() != nullptr;
}

void frmMain::CheckMailIfDue() {
  const auto woken = mailCheckSchedule_->Woken(BusyForMailCheck());
  if (!woken.checkNow) {
    if (woken.wakeIn && !exited_) {
      mailCheckTimer_->start(static_cast<int>(std::min<std::int64_t>(woken.wakeIn->count(),
                                                                     std::numeric_limits<int>::max())));
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
