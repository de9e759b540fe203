#pragma once
// Runs the built ostrel tool as a user would, with standard input given and
// standard output and error captured.

#include <filesystem>
#include <string>
#include <vector>

#include "app/command_line.h"

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

// Runs the command named by the words from commands inside the test, with
// input on standard input; UsageError when no command has that name.
// errIsTerminal: err stands for a terminal, which gets progress lines.
int RunCommand(const std::vector<Command>& commands, const std::vector<std::string>& words, const std::string& input,
               std::ostream& out, std::ostream& err, bool errIsTerminal = false);

}  // namespace ostrel::app
