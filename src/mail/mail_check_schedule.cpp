#include "mail/mail_check_schedule.h"

namespace ostrel::mail {

MailCheckSchedule::MailCheckSchedule(const MailCheckClock& clock) : clock_(clock), from_(clock.Now()) {}

void MailCheckSchedule::SetInterval(std::chrono::minutes interval) {
  if (interval < std::chrono::minutes(0)) interval = std::chrono::minutes(0);
  if (interval == interval_) return;
  interval_ = interval;
  from_ = clock_.Now();
}

void MailCheckSchedule::CheckEnded() { from_ = clock_.Now(); }

std::optional<MailCheckSchedule::Duration> MailCheckSchedule::UntilDue() const {
  if (interval_ <= std::chrono::minutes(0)) return std::nullopt;
  const auto due = from_ + interval_;
  const auto now = clock_.Now();
  if (now >= due) return Duration(0);
  // Rounded up, so that a timer set to it never wakes just short of the time.
  return std::chrono::ceil<Duration>(due - now);
}

MailCheckSchedule::Wake MailCheckSchedule::Woken(bool busy) const {
  const auto left = UntilDue();
  if (!left) return {};
  if (*left > Duration(0)) return {false, left};
  if (busy) return {false, kBusyRetry};
  return {true, std::nullopt};
}

}  // namespace ostrel::mail
