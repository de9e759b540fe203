// The progress line of long runs: written on a terminal, never anywhere
// else, and gone when the work ends. How texts follow each other in place is
// for the eye.

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
