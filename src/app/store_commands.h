#pragma once
// Commands on an installation's mail boxes: the boxes and their counts, the
// rows of a box, a message's text, Delete Msg, emptying the Trash, and the
// two imports; and the key a cipher command uses when it names a program
// folder instead of a key.

#include <vector>

#include "app/command_line.h"
#include "app/work_session.h"

namespace ostrel::app {

std::vector<Command> StoreCommands();

// Loads the key given with --key, or else the default key of the program
// folder given with --folder. UsageError when neither is given.
void LoadCommandKey(WorkSession& session, const CommandLine& line);

}  // namespace ostrel::app
