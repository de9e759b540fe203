// The built tool as a user runs it: words, standard streams and exit status.
// The cipher itself is the engine's to test.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "tool_runner.h"

namespace ostrel::app {
namespace {

class OstrelToolTest : public ::testing::Test {
 protected:
  Outcome Run(const std::vector<std::string>& words, const std::string& input = "") {
    return RunTool(folder.Path(), words, input);
  }
  std::string Path(const std::string& name) const { return (folder / name).string(); }

  testing::TempFolder folder;
};

// Without --work the key's work folder is a temporary one, wiped at the end.
TEST_F(OstrelToolTest, TextRoundTripThroughHexLeavesNoWorkFolder) {
  const Outcome encrypted = Run({"encrypt-text", "--key", "123456789123456789"}, "Hello, world");
  ASSERT_EQ(encrypted.status, 0) << encrypted.err;
  EXPECT_EQ(encrypted.out, "701765E6C74CF4727C782E46");
  std::string plain;
  for (int code = 0; code < 256; ++code) plain += static_cast<char>(code);
  const Outcome back = Run({"decrypt-text", "--key=a typed key"}, Run({"encrypt-text", "--key", "a typed key"}, plain).out);
  ASSERT_EQ(back.status, 0) << back.err;
  EXPECT_EQ(back.out, plain);
  EXPECT_TRUE(std::filesystem::is_empty(folder / "tmp"));
}

TEST_F(OstrelToolTest, KeyspaceStaysInTheWorkFolderForLaterCommands) {
  ASSERT_EQ(Run({"keyspace", "--key", "123456789123456789", "--work", Path("work")}).status, 0);
  EXPECT_TRUE(std::filesystem::exists(folder / "work" / "k1.bin"));
  EXPECT_EQ(testing::FileMode(folder / "work"), 0700u);
  const Outcome encrypted = Run({"encrypt-text", "--key", "123456789123456789", "--work", Path("work")}, "Hello, world");
  EXPECT_EQ(encrypted.out, "701765E6C74CF4727C782E46");
  EXPECT_TRUE(std::filesystem::exists(folder / "work" / "k1.brs"));
}

TEST_F(OstrelToolTest, AFailureGivesStatusOneAndItsReasonOnStandardError) {
  const Outcome badHex = Run({"decrypt-text", "--key", "1"}, "41 42");
  EXPECT_EQ(badHex.status, 1);
  EXPECT_EQ(badHex.out, "");
  EXPECT_TRUE(badHex.err.starts_with("ostrel: ")) << badHex.err;
  EXPECT_NE(badHex.err.find("hex"), std::string::npos) << badHex.err;
  EXPECT_EQ(Run({"encrypt-file", "--key", "1", Path("none"), Path("out")}).status, 1);
  EXPECT_FALSE(std::filesystem::exists(folder / "out"));
}

// Each command that writes into a program folder works on one that does not
// exist yet (start-up's making of the folders is tested with the store).
TEST_F(OstrelToolTest, CommandsThatWriteIntoAProgramFolderWorkOnANewOne) {
  testing::WriteBytes(folder / "note.txt", "imported\r\n");
  struct Case {
    std::vector<std::string> words;
    std::string input;
    std::string written;  // a file the command leaves in the folder
  };
  const Case cases[] = {
      {{"import-attachment", Path("note.txt")}, "", "Save/note.txt"},
      {{"set-options", "--pop-server", "pop.example.test", "--password-stdin"}, "secret\n", "email.opt"},
      {{"add-key", "Home", "123456789123456789"}, "", "key.dat"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.words[0]);
    const auto program = folder / ("new " + c.words[0]);
    std::vector<std::string> words = c.words;
    words.insert(words.begin() + 1, {"--folder", program.string()});
    const Outcome outcome = Run(words, c.input);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(std::filesystem::is_regular_file(program / c.written));
  }
}

TEST_F(OstrelToolTest, UsageMistakesGiveStatusTwo) {
  const std::vector<std::vector<std::string>> mistakes = {
      {}, {"fly"}, {"encrypt-text"}, {"encrypt-text", "--key", "1", "extra"}, {"encrypt-file", "--key", "1", "only-one"},
      {"keyspace", "--key", "1"}};
  for (const auto& words : mistakes) EXPECT_EQ(Run(words).status, 2) << ::testing::PrintToString(words);
  const Outcome unknown = Run({"encrypt-text", "--colour", "red"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("--colour"), std::string::npos);
}

TEST_F(OstrelToolTest, HelpNamesTheExitStatuses) {
  const Outcome help = Run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Exit status: 0 when the command did all its work, 1 when it failed (the reason is on "
                          "standard error),\n2 when the command line does not fit the command."),
            std::string::npos)
      << help.out;
}

}  // namespace
}  // namespace ostrel::app
