#pragma once
// The store lock: an exclusive lock on the program folder, held by every
// process while it files, moves or empties messages, resets the boxes, or
// tidies up after a killed run. So the tidying never mistakes another
// process's work in progress for what a killed run left, and two moves never
// share the move journal. Taken once per operation: it is not re-entrant.

#include <filesystem>

#include "base/folder_lock.h"

namespace ostrel::store {

class StoreLock {
 public:
  explicit StoreLock(const std::filesystem::path& programFolder) : lock_(programFolder) {}

 private:
  base::FolderLock lock_;
};

}  // namespace ostrel::store
