#pragma once
// Killing work at a chosen moment, for the tests that show a kill loses and
// duplicates nothing.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace ostrel::testing {

// Runs work in a child process that kills itself right before file system
// call number `call`. False when the work ended first; a failure of the work
// (`what` names it) is then a test failure.
bool KilledBeforeCall(const std::function<void()>& work, std::size_t call, const std::string& what);

// A kill leaves the page cache as it was, so flushing to the disk proves
// nothing in such tests; while one of these lives, temporary folders go to
// memory when it can hold them, which keeps the many rounds fast.
class FoldersInMemory {
 public:
  FoldersInMemory();
  ~FoldersInMemory();
  FoldersInMemory(const FoldersInMemory&) = delete;
  FoldersInMemory& operator=(const FoldersInMemory&) = delete;

 private:
  std::optional<std::string> saved_;
};

}  // namespace ostrel::testing
