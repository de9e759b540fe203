#include <gtest/gtest.h>

#include <sys/stat.h>

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

  std::vector<std::string> LeftoverWorkFolders() {
    std::vector<std::string> names;
    std::filesystem::create_directories(folder / "tmp");
    for (const auto& entry : std::filesystem::directory_iterator(folder / "tmp")) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with("ostrel-work-")) names.push_back(name);
    }
    return names;
  }

  testing::TempFolder folder;
};

std::string AllCodes() {
  std::string text;
  for (int code = 0; code < 256; ++code) text += static_cast<char>(code);
  return text;
}

TEST_F(OstrelToolTest, TextRoundTripThroughHex) {
  const std::vector<std::string> before = LeftoverWorkFolders();
  const Outcome encrypted = Run({"encrypt-text", "--key", "123456789123456789"}, "Hello, world");
  ASSERT_EQ(encrypted.status, 0) << encrypted.err;
  EXPECT_EQ(encrypted.out, "701765E6C74CF4727C782E46");
  const std::string plain = AllCodes() + AllCodes();
  const Outcome cipher = Run({"encrypt-text", "--key", "a typed key"}, plain);
  ASSERT_EQ(cipher.status, 0);
  EXPECT_NE(cipher.out.find("\r\n"), std::string::npos);
  const Outcome back = Run({"decrypt-text", "--key=a typed key"}, cipher.out);
  ASSERT_EQ(back.status, 0) << back.err;
  EXPECT_EQ(back.out, plain);
  EXPECT_EQ(LeftoverWorkFolders(), before);
}

TEST_F(OstrelToolTest, FilesRoundTripWithBlanksInPaths) {
  const std::string plain = AllCodes() + std::string(3000, 'x');
  testing::WriteBytes(folder / "my letter.txt", plain);
  ASSERT_EQ(Run({"encrypt-file", "--key", "42", (folder / "my letter.txt").string(), (folder / "my letter.enc").string()}).status, 0);
  EXPECT_NE(testing::ReadBytes(folder / "my letter.enc"), plain);
  const Outcome back = Run({"decrypt-file", (folder / "my letter.enc").string(), (folder / "back.txt").string(), "--key", "42"});
  ASSERT_EQ(back.status, 0) << back.err;
  EXPECT_EQ(testing::ReadBytes(folder / "back.txt"), plain);
}

TEST_F(OstrelToolTest, KeyspaceStaysInTheWorkFolder) {
  const auto work = folder / "work";
  ASSERT_EQ(Run({"keyspace", "--key", "123456789123456789", "--work", work.string()}).status, 0);
  EXPECT_EQ(testing::ReadBytes(work / "k2.bin"), " 20  2 \r\n");
  EXPECT_EQ(testing::ReadBytes(work / "k1.bin").size(), 5120u);
  struct stat status {};
  ASSERT_EQ(::stat(work.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0700u);
  const Outcome encrypted = Run({"encrypt-text", "--key", "123456789123456789", "--work", work.string()}, "Hello, world");
  EXPECT_EQ(encrypted.out, "701765E6C74CF4727C782E46");
  EXPECT_TRUE(std::filesystem::exists(work / "k1.brs"));
}

TEST_F(OstrelToolTest, ErrorsGoToStandardErrorWithAFailingStatus) {
  const Outcome badHex = Run({"decrypt-text", "--key", "1"}, "41 42");
  EXPECT_EQ(badHex.status, 1);
  EXPECT_EQ(badHex.out, "");
  EXPECT_NE(badHex.err.find("hex"), std::string::npos);

  const Outcome refused = Run({"encrypt-text", "--key", "-5"}, "x");
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("minus sign"), std::string::npos);

  testing::WriteBytes(folder / "same.txt", "keep");
  const Outcome same = Run({"encrypt-file", "--key", "1", (folder / "same.txt").string(), (folder / "same.txt").string()});
  EXPECT_EQ(same.status, 1);
  EXPECT_EQ(testing::ReadBytes(folder / "same.txt"), "keep");

  EXPECT_EQ(Run({"encrypt-file", "--key", "1", (folder / "none").string(), (folder / "out").string()}).status, 1);
  EXPECT_FALSE(std::filesystem::exists(folder / "out"));
}

// Each command that writes into a program folder works on one that does not
// exist yet, making the data folders and index files as start-up does.
TEST_F(OstrelToolTest, CommandsThatWriteIntoAProgramFolderWorkOnANewOne) {
  testing::WriteBytes(folder / "note.txt", "imported\r\n");
  struct Case {
    std::string name;
    std::vector<std::string> words;
    std::string input;
    std::string written;  // a file the command leaves in the folder
  };
  const Case cases[] = {
      {"import-message", {"import-message", (folder / "note.txt").string()}, "", "In/MSG1.txt"},
      {"import-attachment", {"import-attachment", (folder / "note.txt").string()}, "", "Save/note.txt"},
      {"set-options", {"set-options", "--pop-server", "pop.example.test", "--password-stdin"}, "secret\n", "email.opt"},
      {"add-key", {"add-key", "Home", "123456789123456789"}, "", "key.dat"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto program = folder / ("new " + c.name);
    std::vector<std::string> words = c.words;
    words.insert(words.begin() + 1, {"--folder", program.string()});
    const Outcome outcome = Run(words, c.input);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(std::filesystem::is_regular_file(program / c.written));
    for (const char* box : {"In", "Out", "Trash", "Junk", "Sent"}) {
      const std::string expected = std::string(box) == "In" && c.name == "import-message" ? " 1\r\n" : " 0\r\n";
      EXPECT_EQ(testing::ReadBytes(program / box / "index.dat"), expected) << box;
    }
    for (const char* name : {"Save", "Dec", "Enc"}) EXPECT_TRUE(std::filesystem::is_directory(program / name)) << name;
    EXPECT_EQ(testing::FileMode(program), 0700u);
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

}  // namespace
}  // namespace ostrel::app
