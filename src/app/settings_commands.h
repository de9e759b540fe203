#pragma once
// Commands on an installation's settings: filling in the mail account from a
// script, as the options window's Save does.

#include <vector>

#include "app/command_line.h"

namespace ostrel::app {

std::vector<Command> SettingsCommands();

}  // namespace ostrel::app
