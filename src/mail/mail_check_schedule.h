#pragma once
// When the periodic mail check runs: every interval after the last check of
// any kind (one the person started counts too), and never while something
// else is running: another check, a send or any window over the main one.
// A check that falls due then waits and runs once that is over.
//
// Time comes from a clock handed in, so that the rules are tested without
// waiting.

#include <chrono>
#include <optional>

namespace ostrel::mail {

class MailCheckClock {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;
  virtual ~MailCheckClock() = default;
  virtual TimePoint Now() const = 0;
};

// The machine's monotonic clock, which a change of the wall clock does not move.
class SteadyMailCheckClock : public MailCheckClock {
 public:
  TimePoint Now() const override { return std::chrono::steady_clock::now(); }
};

class MailCheckSchedule {
 public:
  using Duration = std::chrono::milliseconds;
  // How long a check that fell due while the program was busy waits before
  // it asks again.
  static constexpr Duration kBusyRetry = std::chrono::seconds(10);

  // Off until an interval is set. The clock must outlive the schedule.
  explicit MailCheckSchedule(const MailCheckClock& clock);

  // 0 (or less) turns the checks off. A new interval counts from now; setting
  // the interval there already is changes nothing.
  void SetInterval(std::chrono::minutes interval);
  std::chrono::minutes Interval() const { return interval_; }

  // A check of any kind has ended now: the next is a whole interval away.
  void CheckEnded();

  // The timer has woken. busy: a check, a send or a window over the main
  // window is running.
  struct Wake {
    bool checkNow = false;
    // When to wake next, for when checkNow is false: the time left until the
    // check is due, or kBusyRetry when it is due but had to wait; nothing
    // when the checks are off.
    std::optional<Duration> wakeIn;
  };
  Wake Woken(bool busy) const;

  // Time until the next check is due (0 when it is overdue); nothing when off.
  std::optional<Duration> UntilDue() const;

 private:
  const MailCheckClock& clock_;
  std::chrono::minutes interval_{0};
  MailCheckClock::TimePoint from_;
};

}  // namespace ostrel::mail
