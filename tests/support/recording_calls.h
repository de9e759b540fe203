#pragma once
// The file system calls of base's seam, seen by a test: every flush, rename
// and removal in the order they happen, with the path each one concerns. A
// test can also have chosen calls refused, or be told of each call before it
// happens (to stop the process there).

#include <cstddef>
#include <filesystem>
#include <functional>
#include <vector>

#include "base/file_system_calls.h"

namespace ostrel::testing {

struct FileSystemEvent {
  // FlushFileSystem: every file of the file system that holds path.
  enum class Kind { Flush, FlushFileSystem, Rename, Remove };
  Kind kind;
  std::filesystem::path path;    // the file or folder flushed, renamed or removed
  std::filesystem::path target;  // the name a rename gives it
};

class RecordingCalls : public base::FileSystemCalls {
 public:
  int Fsync(int fd) override;
  int SyncFileSystem(int fd) override;
  int Rename(const char* from, const char* to) override;
  int Unlink(const char* path) override;

  std::vector<FileSystemEvent> events;
  // Calls for which this is true fail with EIO and do nothing.
  std::function<bool(const FileSystemEvent&)> refuse;
  // Told the number of each call (from 1) before it happens.
  std::function<void(std::size_t)> before;

 private:
  bool Admit(const FileSystemEvent& event);
};

// Puts a RecordingCalls in place while it lives.
class RecordedCalls : public RecordingCalls {
 public:
  RecordedCalls() : scope_(*this) {}

 private:
  base::ScopedFileSystemCalls scope_;
};

}  // namespace ostrel::testing
