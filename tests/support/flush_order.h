#pragma once
// The order crash safety needs, checked on the recorded file system calls:
// the bytes of every file renamed over another are flushed before the rename,
// and the folder that holds the new name is flushed after it. A flush of
// the whole file system counts as a flush of each file and folder.

#include <vector>

#include "support/recording_calls.h"

namespace ostrel::testing {

// Adds a test failure for every rename out of that order; returns how many
// renames it looked at.
std::size_t ExpectFlushedAroundEveryRename(const std::vector<FileSystemEvent>& events);

}  // namespace ostrel::testing
