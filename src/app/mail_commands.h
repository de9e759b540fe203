#pragma once
// Commands that talk to the mail servers of an installation: the mail check
// of the main window, and the compose window's "Send".

#include <vector>

#include "app/command_line.h"

namespace ostrel::app {

std::vector<Command> MailCommands();

}  // namespace ostrel::app
