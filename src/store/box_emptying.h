#pragma once
// Emptying whole folders: KillMessages for one data folder, EmptyTheTrash
// for the Trash box.

#include <filesystem>
#include <string>
#include <string_view>

#include "base/progress.h"

namespace ostrel::store {

// Deletes every ordinary file of the folder `box` under the program folder
// (sub-folders untouched). A box folder ends with its index file holding 0;
// "Save", "Dec" and "Enc" get none. Any other name throws
// std::invalid_argument and deletes nothing.
void KillMessages(const std::filesystem::path& programFolder, std::string_view box);

// Empties "trash.dat" and deletes the files its records name; every error is
// ignored. The list is emptied first, so no record is ever left naming a file
// that is gone, and the move journal names the files until they are gone, so
// that a killed run leaves none behind. The Trash index stays. Returns the trimmed MsgFile of the
// last record, empty when there was none.
std::string EmptyTheTrash(const std::filesystem::path& programFolder,
                          const base::ProgressReport& progress = {}) noexcept;

}  // namespace ostrel::store
