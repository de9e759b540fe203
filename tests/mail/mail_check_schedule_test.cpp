// When the periodic mail check runs, on a clock the test moves by hand.

#include "mail/mail_check_schedule.h"

#include <gtest/gtest.h>

#include "mail/new_mail_notice.h"

namespace ostrel::mail {
namespace {

using std::chrono::milliseconds;
using std::chrono::minutes;
using std::chrono::seconds;

class HandClock : public MailCheckClock {
 public:
  TimePoint Now() const override { return now; }
  void Pass(std::chrono::nanoseconds time) { now += time; }
  TimePoint now{std::chrono::hours(1000)};
};

class MailCheckScheduleTest : public ::testing::Test {
 protected:
  // What the timer learns when it wakes now.
  void ExpectWake(bool busy, bool checkNow, std::optional<MailCheckSchedule::Duration> wakeIn) {
    const auto wake = schedule.Woken(busy);
    EXPECT_EQ(wake.checkNow, checkNow);
    if (!checkNow) {
      EXPECT_EQ(wake.wakeIn, wakeIn);
    }
  }

  HandClock clock;
  MailCheckSchedule schedule{clock};
};

// Each check, the periodic one or one the person started, puts the next one
// a whole interval after its end.
TEST_F(MailCheckScheduleTest, DueAWholeIntervalAfterItWasSetAndAfterEachCheck) {
  schedule.SetInterval(minutes(5));
  clock.Pass(minutes(5) - seconds(1));
  ExpectWake(false, false, seconds(1));
  clock.Pass(seconds(1));
  EXPECT_TRUE(schedule.Woken(false).checkNow);

  clock.Pass(seconds(20));  // the check takes its time
  schedule.CheckEnded();
  clock.Pass(minutes(2));
  schedule.CheckEnded();  // started by hand
  clock.Pass(minutes(3));
  ExpectWake(false, false, minutes(2));
  clock.Pass(minutes(2));
  EXPECT_TRUE(schedule.Woken(false).checkNow);
}

TEST_F(MailCheckScheduleTest, ADueCheckWaitsWhileTheProgramIsBusyAndThenRunsOnce) {
  schedule.SetInterval(minutes(2));
  clock.Pass(minutes(1));
  ExpectWake(true, false, minutes(1));  // busy before it is due changes nothing
  clock.Pass(minutes(1));
  for (int wake = 0; wake < 30; ++wake) {  // five minutes of a window over the main window
    ExpectWake(true, false, MailCheckSchedule::kBusyRetry);
    clock.Pass(MailCheckSchedule::kBusyRetry);
  }
  EXPECT_TRUE(schedule.Woken(false).checkNow);
  schedule.CheckEnded();
  // The missed minutes are not made up for.
  EXPECT_FALSE(schedule.Woken(false).checkNow);
  EXPECT_EQ(schedule.UntilDue(), minutes(2));
}

TEST_F(MailCheckScheduleTest, ANewIntervalCountsFromNowAndTheSameOneChangesNothing) {
  EXPECT_EQ(schedule.UntilDue(), std::nullopt) << "off until an interval is set";
  clock.Pass(std::chrono::hours(48));
  ExpectWake(false, false, std::nullopt);
  schedule.SetInterval(minutes(10));
  clock.Pass(minutes(6));
  schedule.SetInterval(minutes(10));  // the options saved again, this value unchanged
  EXPECT_EQ(schedule.UntilDue(), minutes(4));
  schedule.SetInterval(minutes(5));
  EXPECT_EQ(schedule.UntilDue(), minutes(5));
  schedule.SetInterval(minutes(0));
  EXPECT_EQ(schedule.UntilDue(), std::nullopt);
  clock.Pass(minutes(30));
  EXPECT_FALSE(schedule.Woken(false).checkNow);
  schedule.SetInterval(minutes(-3));
  EXPECT_EQ(schedule.Interval(), minutes(0));
  EXPECT_FALSE(schedule.Woken(false).checkNow);
}

TEST_F(MailCheckScheduleTest, TheTimeLeftIsRoundedUpSoATimerNeverWakesEarly) {
  schedule.SetInterval(minutes(1));
  clock.Pass(minutes(1) - std::chrono::microseconds(1500));
  EXPECT_EQ(schedule.UntilDue(), milliseconds(2));
  clock.Pass(std::chrono::microseconds(1499));
  EXPECT_EQ(schedule.UntilDue(), milliseconds(1));
  EXPECT_FALSE(schedule.Woken(false).checkNow);
  clock.Pass(std::chrono::microseconds(1));
  EXPECT_EQ(schedule.UntilDue(), milliseconds(0));
  EXPECT_TRUE(schedule.Woken(false).checkNow);
}

TEST(NewMailNoticeTest, CountsTheMessagesFiledIntoTheInBox) {
  EXPECT_EQ(NewMailNoticeText(0), std::nullopt);
  EXPECT_EQ(NewMailNoticeText(1), "1 new message");
  EXPECT_EQ(NewMailNoticeText(3), "3 new messages");
}

}  // namespace
}  // namespace ostrel::mail
