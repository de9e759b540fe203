#include "app/settings_commands.h"

#include <gtest/gtest.h>

#include "settings/accounts.h"
#include "settings/mail_options.h"
#include "tool_runner.h"

namespace ostrel::app {
namespace {

class SettingsCommandsTest : public CommandTest {
 protected:
  SettingsCommandsTest() : CommandTest(SettingsCommands()) {}
};

TEST_F(SettingsCommandsTest, StoresTheAccountAndKeepsWhatWasNotGiven) {
  ASSERT_EQ(Run({"set-options", "--folder", Folder(), "--pop-server", "pop3s://mail.example.test",
                 "--smtp-server", "smtps://mail.example.test", "--user", "alice", "--email",
                 "alice@example.test", "--password-stdin"},
                "secret-alice\r\n"),
            0);
  ASSERT_EQ(Run({"set-options", "--folder", Folder(), "--email", "a@example.test"}), 0);

  const auto stored = settings::ReadOptions(Folder());
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(stored->options.PopServer, "pop3s://mail.example.test");
  EXPECT_EQ(stored->options.SmtpServer, "smtps://mail.example.test");
  EXPECT_EQ(stored->options.UserName, "alice");
  EXPECT_EQ(stored->options.Password, "secret-alice");
  EXPECT_EQ(stored->options.EmailAddress, "a@example.test");
  // Saved as the options window saves: the account is offered again.
  EXPECT_EQ(settings::ListAccounts(Folder()).size(), 1u);
}

TEST_F(SettingsCommandsTest, AValueTheFileCannotHoldIsRefusedAndNothingIsWritten) {
  EXPECT_EQ(Run({"set-options", "--folder", Folder(), "--user", "alice,bob"}), 1);
  EXPECT_FALSE(err_.str().empty());
  EXPECT_FALSE(settings::ReadOptions(Folder()).has_value());
}

}  // namespace
}  // namespace ostrel::app
