#include "settings/mail_check_interval.h"

#include "settings_fixture.h"

namespace ostrel::settings {
namespace {

using MailCheckInterval = SettingsTest;

// Off until set, without a file being written for it.
TEST_F(MailCheckInterval, AnIntervalIsWrittenUntilZeroTurnsItOff) {
  EXPECT_EQ(ReadMailCheckMinutes(folder.Path()), 0);
  WriteMailCheckMinutes(folder.Path(), 0);
  EXPECT_FALSE(std::filesystem::exists(folder / "mailcheck.ini"));
  WriteMailCheckMinutes(folder.Path(), 15);
  EXPECT_EQ(ReadBytes(folder / "mailcheck.ini"), "[MailCheck]\nEveryMinutes=15\n");
  EXPECT_EQ(ReadMailCheckMinutes(folder.Path()), 15);
  WriteMailCheckMinutes(folder.Path(), 0);
  EXPECT_EQ(ReadBytes(folder / "mailcheck.ini"), "[MailCheck]\nEveryMinutes=0\n");
  EXPECT_EQ(MailCheckFileText(5000), "[MailCheck]\nEveryMinutes=1440\n") << "a day at most";
}

TEST_F(MailCheckInterval, ParsesWhatAPersonMightHaveWrittenRefusingTheRest) {
  struct Case {
    const char* text;
    int minutes;
  };
  const Case cases[] = {
      {"[MailCheck]\nEveryMinutes=5\n", 5},
      {"[MailCheck]\rEveryMinutes=7\r", 7},  // lone CRs end lines too
      {"[General]\nx=1\n\n[MailCheck]\n  EveryMinutes= 30 \n[Other]\nEveryMinutes=2\n", 30},
      {"[Other]\nEveryMinutes=2\n", 0},  // another section's key
      {"[MailCheck]\nEveryMinutes=100000\n", 1440},  // a day at most
      {"[MailCheck]\nEveryMinutes=-5\n", 0},
      {"[MailCheck]\nEveryMinutes=5 minutes\n", 0},
      {"[MailCheck]\nEveryMinutes=99999999999999999999999\n", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseMailCheckMinutes(c.text), c.minutes);
  }
}

}  // namespace
}  // namespace ostrel::settings
