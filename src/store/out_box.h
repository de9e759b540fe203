#pragma once
// "out.dat" hands one queued message from the compose window to the sending
// window; it is not a queue.

#include <filesystem>

namespace ostrel::store {

// Removes any record an interrupted run left in "out.dat", so the next
// message queued is record 1. Call before queueing.
void ClearOutBox(const std::filesystem::path& programFolder);

}  // namespace ostrel::store
