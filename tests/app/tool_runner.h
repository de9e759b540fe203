#pragma once
// Runs the built ostrel tool as a user would, with standard input given and
// standard output and error captured.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "store/store_folder.h"

namespace ostrel::app {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// scratch: a folder of the test's own for the captured streams and for the
// tool's temporary work folders (its TMPDIR).
Outcome RunTool(const std::filesystem::path& scratch, const std::vector<std::string>& words,
                const std::string& input = "");

// Makes folder a program folder through the tool: set-options with the words
// given and the password on standard input, then the shared key as its
// default key. Returns the folder ending in "/".
std::string SetUpFolder(const std::filesystem::path& scratch, const std::filesystem::path& folder,
                        const std::vector<std::string>& optionWords, const std::string& password);

// Runs the command named by the words from commands inside the test, with
// input on standard input; UsageError when no command has that name.
// errIsTerminal: err stands for a terminal, which gets progress lines.
int RunCommand(const std::vector<Command>& commands, const std::vector<std::string>& words, const std::string& input,
               std::ostream& out, std::ostream& err, bool errIsTerminal = false);

// Commands run inside the test on a program folder of its own.
class CommandTest : public ::testing::Test {
 protected:
  explicit CommandTest(std::vector<Command> commands) : commands_(std::move(commands)) {}

  int Run(const std::vector<std::string>& words, const std::string& input = "") {
    out_.str("");
    err_.str("");
    return RunCommand(commands_, words, input, out_, err_);
  }
  std::string Folder() const { return folder_.Folder(); }

  std::vector<Command> commands_;
  testing::StoreFolder folder_;
  std::ostringstream out_;
  std::ostringstream err_;
};

}  // namespace ostrel::app
