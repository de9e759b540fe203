#include "app/command_line.h"

#include <gtest/gtest.h>

namespace ostrel::app {
namespace {

TEST(CommandLineTest, OptionsAndArgumentsInAnyOrder) {
  const CommandLine line = ParseCommandLine({"encrypt-file", "a b.txt", "--key", "123", "--work=/tmp/w x", "c.enc"});
  EXPECT_EQ(line.command, "encrypt-file");
  EXPECT_EQ(line.Required("key"), "123");
  EXPECT_EQ(line.Option("work"), "/tmp/w x");
  EXPECT_FALSE(line.Option("folder"));
  EXPECT_EQ(line.arguments, (std::vector<std::string>{"a b.txt", "c.enc"}));
  EXPECT_NO_THROW(line.ExpectArguments(2));
  EXPECT_THROW(line.ExpectArguments(1), UsageError);
  EXPECT_EQ(ParseCommandLine({"list", "--folder", "/home/me/ostrel"}).Option("folder"), "/home/me/ostrel");
  EXPECT_TRUE(ParseCommandLine({"--help"}).help);
}

TEST(CommandLineTest, KeysMayLookLikeOptionsAfterTheirName) {
  const CommandLine line = ParseCommandLine({"encrypt-text", "--key", "--help"});
  EXPECT_EQ(line.Required("key"), "--help");
  EXPECT_FALSE(line.help);
  EXPECT_EQ(ParseCommandLine({"x", "--", "--key"}).arguments, std::vector<std::string>{"--key"});
}

TEST(CommandLineTest, RefusesUnknownRepeatedAndValuelessOptions) {
  EXPECT_THROW(ParseCommandLine({"encrypt-text", "--colour", "red"}), UsageError);
  EXPECT_THROW(ParseCommandLine({"encrypt-text", "--key", "1", "--key", "2"}), UsageError);
  EXPECT_THROW(ParseCommandLine({"encrypt-text", "--key"}), UsageError);
  EXPECT_THROW(ParseCommandLine({"encrypt-text"}).Required("key"), UsageError);
}

}  // namespace
}  // namespace ostrel::app
