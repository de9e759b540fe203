// The progress line of long runs: written in place on a terminal, never
// anywhere else, and gone when the work ends.

#include "app/progress_line.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <string>

#include "app/engine_commands.h"
#include "support/temp_folder.h"
#include "tool_runner.h"

namespace ostrel::app {
namespace {

using std::chrono::milliseconds;

constexpr const char* kErase = "\033[K";

std::string Line(const std::string& text) { return "\r" + text + kErase; }

TEST(ProgressLineTest, ATerminalSeesEachNewTextInPlaceAndTheLineErasedOnce) {
  std::ostringstream err;
  {
    ProgressLine line(err, true, milliseconds(0));
    line.Show("Connecting...");
    line.Show("Connecting...");
    line.Show("Downloading 1 of 2");
    line.Clear();
    line.Clear();
    line.Show("Disconnecting...");
  }
  EXPECT_EQ(err.str(),
            Line("Connecting...") + Line("Downloading 1 of 2") + "\r" + kErase + Line("Disconnecting...") + "\r" + kErase);
}

TEST(ProgressLineTest, ElsewhereNothingIsWritten) {
  std::ostringstream err;
  {
    ProgressLine line(err, false, milliseconds(0));
    line.Show("Connecting...");
    line.Clear();
    TimedProgress working(line, "Enciphering big.bin (5.0 MB)");
  }
  EXPECT_EQ(err.str(), "");
}

TEST(ProgressLineTest, AFloodOfTextsIsThinnedButTheFirstAlwaysShows) {
  std::ostringstream err;
  ProgressLine line(err, true, std::chrono::hours(1));
  line.Show("Sending 0.1 of 9.0 MB");
  line.Show("Sending 0.2 of 9.0 MB");
  line.Clear();
  line.Show("Sending 0.3 of 9.0 MB");
  EXPECT_EQ(err.str(), Line("Sending 0.1 of 9.0 MB") + "\r" + kErase + Line("Sending 0.3 of 9.0 MB"));
}

TEST(ProgressLineTest, ALongTextIsCutToOneLineOfTheTerminal) {
  struct Case {
    std::string text;
    std::string shown;
  };
  const std::string e = "\xC3\xA9";  // one character, two bytes
  std::string accents79;
  std::string accents76;
  for (int i = 0; i < 79; ++i) accents79 += e;
  for (int i = 0; i < 76; ++i) accents76 += e;
  const Case cases[] = {
      {std::string(79, 'x'), std::string(79, 'x')},
      {std::string(80, 'x'), std::string(76, 'x') + "..."},
      {accents79, accents79},
      {accents79 + e, accents76 + "..."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.size());
    std::ostringstream err;
    ProgressLine line(err, true, milliseconds(0));
    line.Show(c.text);
    EXPECT_EQ(err.str(), Line(c.shown));
  }
}

TEST(ProgressLineTest, FileWorkTextNamesTheFileAndItsSize) {
  EXPECT_EQ(FileWorkText("Enciphering", "/home/me/big film.mkv", 5 * 1024 * 1024 + 512 * 1024),
            "Enciphering big film.mkv (5.5 MB)");
  EXPECT_EQ(FileWorkText("Deciphering", "a.enc", 0), "Deciphering a.enc (0.0 MB)");
}

class FileCommandProgressTest : public ::testing::Test {
 protected:
  // The file commands run in the test, err standing for a terminal or not.
  std::string ErrOf(const std::string& command, const std::string& source, bool terminal) {
    std::filesystem::create_directories(folder / "work");
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunCommand(EngineCommands(),
                                  {command, "--key", "123456789123456789", "--work", (folder / "work").string(),
                                   (folder / source).string(), (folder / (source + ".out")).string()},
                                  "", out, err, terminal);
    EXPECT_EQ(status, 0) << err.str();
    return err.str();
  }

  testing::TempFolder folder;
};

// Each big file costs seconds in the sanitizer build: two of them in all.
TEST_F(FileCommandProgressTest, AFileOfAFewMegabytesShowsWhatIsDoneOnATerminal) {
  testing::WriteBytes(folder / "big.bin", std::string(kLongFileBytes, 'b'));
  testing::WriteBytes(folder / "small.bin", std::string(1000, 's'));

  const std::string enciphering = ErrOf("encrypt-file", "big.bin", true);
  EXPECT_TRUE(enciphering.starts_with(Line("Enciphering big.bin (4.0 MB)..."))) << enciphering;
  EXPECT_TRUE(enciphering.ends_with(std::string("\r") + kErase)) << enciphering;
  EXPECT_EQ(ErrOf("decrypt-file", "small.bin", true), "");
}

TEST_F(FileCommandProgressTest, TheToolWritesNothingExtraWhenStandardErrorIsAFile) {
  testing::WriteBytes(folder / "big.bin", std::string(kLongFileBytes + 1, 'b'));
  const Outcome outcome = RunTool(folder.Path(), {"encrypt-file", "--key", "42", (folder / "big.bin").string(),
                                                  (folder / "big.enc").string()});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(outcome.out, "");
}

}  // namespace
}  // namespace ostrel::app
