#pragma once
// An exclusive lock on a folder between processes, held while one of them
// changes files in it that must not be changed by two at once. The system
// drops it when its process ends, killed or not, so a lock is never left
// behind. Not re-entrant: a process that locks a folder it holds waits for
// itself.

#include <filesystem>

namespace ostrel::base {

class FolderLock {
 public:
  // Waits until the lock is free. A folder that cannot be opened or locked
  // (it is missing, or its file system has no locks) is locked by nothing.
  explicit FolderLock(const std::filesystem::path& folder);
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  ~FolderLock();

 private:
  int fd_;
};

}  // namespace ostrel::base
