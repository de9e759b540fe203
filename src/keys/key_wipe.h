#pragma once
// "Delete Keys": after a confirmation, the key files are overwritten with
// "@" 21 times and deleted.

#include <filesystem>
#include <functional>
#include <string_view>

#include "base/dialogs.h"

namespace ostrel::keys {

inline constexpr int kWipePasses = 21;

// Called after each pass has reached the disk, before the next one.
using WipeObserver = std::function<void(const std::filesystem::path&)>;

// Overwrites the file in place kWipePasses times with one line of as many
// "@" as the file had bytes, each pass flushed to disk, then deletes it. The
// same blocks are overwritten, so the old contents do not survive on them.
// A missing file is left missing.
void WipeFile(const std::filesystem::path& path, const WipeObserver& afterPass = {});

// Asks "Key Delete Confirm" (Yes/No); on Yes wipes "key.dat" and "key.key"
// and reports it. The loaded keyspace stays in place. Returns whether the
// files were wiped.
bool DeleteKeys(const std::filesystem::path& programFolder, base::Dialogs& dialogs,
                const WipeObserver& afterPass = {});

}  // namespace ostrel::keys
