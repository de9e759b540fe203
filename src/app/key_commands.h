#pragma once
// Commands on an installation's key store: the summary and names, adding or
// updating a key with the key management checks, and generating a key.

#include <vector>

#include "app/command_line.h"

namespace ostrel::app {

std::vector<Command> KeyCommands();

}  // namespace ostrel::app
