// ostrel: the program's engine and stores from the command line.

#include <unistd.h>

#include <exception>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "app/command_line.h"
#include "app/engine_commands.h"
#include "app/key_commands.h"
#ifdef OSTREL_MAIL_COMMANDS
#include "app/mail_commands.h"
#endif
#include "app/settings_commands.h"
#include "app/store_commands.h"

namespace ostrel::app {
namespace {

std::vector<Command> AllCommands() {
  std::vector<Command> commands = EngineCommands();
  for (Command& command : KeyCommands()) commands.push_back(std::move(command));
  for (Command& command : StoreCommands()) commands.push_back(std::move(command));
  for (Command& command : SettingsCommands()) commands.push_back(std::move(command));
#ifdef OSTREL_MAIL_COMMANDS
  for (Command& command : MailCommands()) commands.push_back(std::move(command));
#endif
  return commands;
}

void PrintHelp(std::ostream& out, const std::vector<Command>& commands) {
  out << "Usage: ostrel COMMAND [OPTIONS] [ARGUMENTS]\n\n"
         "Without --work a private temporary work folder is used and wiped before exit.\n"
         "A key is given as UTF-8 text and used as the program stores it.\n\nCommands:\n";
  for (const Command& command : commands) {
    out << "  " << command.name << " " << command.usage << "\n      " << command.summary << "\n";
  }
  out << "  --help\n      shows this list\n\n"
         "Exit status: 0 when the command did all its work, 1 when it failed (the reason is on standard error),\n"
         "2 when the command line does not fit the command.\n";
}

int Run(const std::vector<std::string>& words) {
  const std::vector<Command> commands = AllCommands();
  try {
    const CommandLine line = ParseCommandLine(words);
    if (line.help && line.command.empty()) {
      PrintHelp(std::cout, commands);
      return 0;
    }
    if (line.command.empty()) throw UsageError("no command given");
    for (const Command& command : commands) {
      if (command.name != line.command) continue;
      if (line.help) {
        std::cout << "Usage: ostrel " << command.name << " " << command.usage << "\n" << command.summary << "\n"
                  << "Exit status: 0 when done, 1 on a failure (the reason on standard error), 2 for a wrong "
                     "command line.\n";
        return 0;
      }
      Streams streams{std::cin, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1};
      return command.run(line, streams);
    }
    throw UsageError("unknown command " + line.command);
  } catch (const UsageError& error) {
    std::cerr << "ostrel: " << error.what() << "\n\n";
    PrintHelp(std::cerr, commands);
    return 2;
  } catch (const std::exception& error) {
    std::cerr << "ostrel: " << error.what() << "\n";
    return 1;
  }
}

}  // namespace
}  // namespace ostrel::app

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  return ostrel::app::Run(std::vector<std::string>(argv + 1, argv + argc));
}
