// The progress line of long runs: written in place on a terminal, never
// anywhere else, and gone when the work ends.

#include "app/progress_line.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <string>
#include <vector>

#include "app/engine_commands.h"
#include "support/temp_folder.h"
#include "tool_runner.h"

namespace ostrel::app {
namespace {

using std::chrono::milliseconds;

constexpr const char* kErase = "\033[K";

std::string Line(const std::string& text) { return "\r" + text + kErase; }

// Each text shown, "" standing for a Clear; the line ends with the work.
TEST(ProgressLineTest, OnlyATerminalSeesEachNewTextInPlace) {
  struct Case {
    const char* name;
    bool terminal;
    std::chrono::milliseconds interval;
    std::vector<std::string> texts;
    std::string written;
  };
  const std::string erased = std::string("\r") + kErase;
  const Case cases[] = {
      {"a terminal", true, milliseconds(0),
       {"Connecting...", "Connecting...", "Downloading 1 of 2", "", "", "Disconnecting..."},
       Line("Connecting...") + Line("Downloading 1 of 2") + erased + Line("Disconnecting...") + erased},
      {"a file", false, milliseconds(0), {"Connecting...", ""}, ""},
      // A flood of texts is thinned, but the first always shows.
      {"a flood", true, std::chrono::hours(1),
       {"Sending 0.1 of 9.0 MB", "Sending 0.2 of 9.0 MB", "", "Sending 0.3 of 9.0 MB"},
       Line("Sending 0.1 of 9.0 MB") + erased + Line("Sending 0.3 of 9.0 MB") + erased},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::ostringstream err;
    {
      ProgressLine line(err, c.terminal, c.interval);
      for (const auto& text : c.texts) text.empty() ? line.Clear() : line.Show(text);
      if (!c.terminal) {
        TimedProgress working(line, "Enciphering big.bin (5.0 MB)");
      }
    }
    EXPECT_EQ(err.str(), c.written);
  }
}

TEST(ProgressLineTest, ALongTextIsCutToOneLineOfTheTerminal) {
  struct Case {
    std::string text;
    std::string shown;
  };
  const auto accents = [](int count) {  // each character two bytes
    std::string text;
    for (int i = 0; i < count; ++i) text += "\xC3\xA9";
    return text;
  };
  const Case cases[] = {
      {std::string(80, 'x'), std::string(76, 'x') + "..."},
      {accents(79), accents(79)},
      {accents(80), accents(76) + "..."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.size());
    std::ostringstream err;
    ProgressLine line(err, true, milliseconds(0));
    line.Show(c.text);
    EXPECT_EQ(err.str(), Line(c.shown));
  }
}

TEST(ProgressLineTest, FileWorkTextNamesTheFileWithItsSizeInTenthsOfAMegabyte) {
  EXPECT_EQ(FileWorkText("Enciphering", "/home/me/big film.mkv", 5 * 1024 * 1024 + 512 * 1024),
            "Enciphering big film.mkv (5.5 MB)");
}

// A big file costs seconds in the sanitizer build: one for both runs.
TEST(FileCommandProgressTest, AFileOfAFewMegabytesShowsWhatIsDoneOnlyOnATerminal) {
  testing::TempFolder folder;
  testing::WriteBytes(folder / "big.bin", std::string(kLongFileBytes, 'b'));
  testing::WriteBytes(folder / "small.bin", std::string(1000, 's'));
  const auto errOf = [&](const std::string& command, const std::string& source) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunCommand(EngineCommands(),
                                  {command, "--key", "42", "--work", (folder / "work").string(),
                                   (folder / source).string(), (folder / (source + ".out")).string()},
                                  "", out, err, true);
    EXPECT_EQ(status, 0) << err.str();
    return err.str();
  };
  const std::string enciphering = errOf("encrypt-file", "big.bin");
  EXPECT_TRUE(enciphering.starts_with(Line("Enciphering big.bin (4.0 MB)..."))) << enciphering;
  EXPECT_TRUE(enciphering.ends_with(std::string("\r") + kErase)) << enciphering;
  EXPECT_EQ(errOf("decrypt-file", "small.bin"), "");

  // The tool itself, its standard error a file.
  const Outcome outcome = RunTool(folder.Path(), {"encrypt-file", "--key", "42", (folder / "big.bin").string(),
                                                  (folder / "big.enc").string()});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(outcome.out, "");
}

}  // namespace
}  // namespace ostrel::app
