#include "support/flush_order.h"

#include <gtest/gtest.h>

namespace ostrel::testing {

std::size_t ExpectFlushedAroundEveryRename(const std::vector<FileSystemEvent>& events) {
  using Kind = FileSystemEvent::Kind;
  std::size_t renames = 0;
  for (std::size_t i = 0; i < events.size(); ++i) {
    const FileSystemEvent& rename = events[i];
    if (rename.kind != Kind::Rename) continue;
    ++renames;
    bool flushedBefore = false;
    for (std::size_t j = 0; j < i; ++j) {
      // The tests' folders lie on one file system.
      if (events[j].kind == Kind::FlushFileSystem) flushedBefore = true;
      if (events[j].kind == Kind::Flush && events[j].path == rename.path) flushedBefore = true;
      // A file renamed or removed since has another history.
      if ((events[j].kind == Kind::Rename || events[j].kind == Kind::Remove) && events[j].path == rename.path) {
        flushedBefore = false;
      }
    }
    EXPECT_TRUE(flushedBefore) << rename.path << " was renamed over " << rename.target << " before its bytes were flushed";
    bool folderAfter = false;
    for (std::size_t j = i + 1; j < events.size() && !folderAfter; ++j) {
      folderAfter = events[j].kind == Kind::FlushFileSystem ||
                    (events[j].kind == Kind::Flush && events[j].path == rename.target.parent_path());
    }
    EXPECT_TRUE(folderAfter) << "the folder of " << rename.target << " was not flushed after the rename";
  }
  return renames;
}

}  // namespace ostrel::testing
