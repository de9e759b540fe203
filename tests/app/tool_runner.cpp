#include "tool_runner.h"

#include <sys/wait.h>

#include <cstdlib>
#include <sstream>

#include "support/temp_folder.h"

namespace ostrel::app {
namespace {

std::string Quoted(const std::string& word) {
  std::string quoted = "'";
  for (const char c : word) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

}  // namespace

Outcome RunTool(const std::filesystem::path& scratch, const std::vector<std::string>& words,
                const std::string& input) {
  testing::WriteBytes(scratch / "stdin", input);
  // A temporary folder of its own, so that work folders of tools run by
  // other tests at the same time are never counted as left behind.
  std::filesystem::create_directories(scratch / "tmp");
  std::string command = "TMPDIR=" + Quoted((scratch / "tmp").string()) + " " + Quoted(OSTREL_BINARY);
  for (const auto& word : words) command += " " + Quoted(word);
  command += " <" + Quoted((scratch / "stdin").string()) + " >" + Quoted((scratch / "stdout").string()) + " 2>" +
             Quoted((scratch / "stderr").string());
  const int raw = std::system(command.c_str());
  Outcome outcome;
  outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  outcome.out = testing::ReadBytes(scratch / "stdout");
  outcome.err = testing::ReadBytes(scratch / "stderr");
  return outcome;
}

std::string SetUpFolder(const std::filesystem::path& scratch, const std::filesystem::path& folder,
                        const std::vector<std::string>& optionWords, const std::string& password) {
  const std::string path = folder.string() + "/";
  std::vector<std::string> words = {"set-options", "--folder", path, "--password-stdin"};
  words.insert(words.end(), optionWords.begin(), optionWords.end());
  const Outcome options = RunTool(scratch, words, password + "\n");
  EXPECT_EQ(options.status, 0) << options.err;
  EXPECT_EQ(RunTool(scratch, {"add-key", "--folder", path, "Shared", "730145928837465012", "--default"}).status, 0);
  return path;
}

int RunCommand(const std::vector<Command>& commands, const std::vector<std::string>& words, const std::string& input,
               std::ostream& out, std::ostream& err, bool errIsTerminal) {
  const CommandLine line = ParseCommandLine(words);
  for (const Command& command : commands) {
    if (command.name != line.command) continue;
    std::istringstream in(input);
    Streams streams{in, out, err, errIsTerminal};
    return command.run(line, streams);
  }
  throw UsageError("no such command " + line.command);
}

}  // namespace ostrel::app
