#pragma once
// Commands that run the cipher engine: texts through standard input and
// output, files by path, and keyspace generation into a work folder.

#include <vector>

#include "app/command_line.h"

namespace ostrel::app {

std::vector<Command> EngineCommands();

}  // namespace ostrel::app
