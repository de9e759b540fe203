#include "support/recording_calls.h"

#include <cerrno>
#include <string>

namespace ostrel::testing {
namespace {

std::filesystem::path PathOf(int fd) {
  std::error_code error;
  return std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd), error);
}

// Renamed and removed paths in the form /proc gives flushed ones.
std::filesystem::path Canonical(const char* path) {
  std::error_code error;
  const auto canonical = std::filesystem::weakly_canonical(path, error);
  return error ? std::filesystem::path(path) : canonical;
}

}  // namespace

bool RecordingCalls::Admit(const FileSystemEvent& event) {
  if (before) before(events.size() + 1);
  events.push_back(event);
  if (refuse && refuse(event)) {
    errno = EIO;
    return false;
  }
  return true;
}

int RecordingCalls::Fsync(int fd) {
  return Admit({FileSystemEvent::Kind::Flush, PathOf(fd), {}}) ? base::FileSystemCalls::Fsync(fd) : -1;
}

int RecordingCalls::SyncFileSystem(int fd) {
  return Admit({FileSystemEvent::Kind::FlushFileSystem, PathOf(fd), {}}) ? base::FileSystemCalls::SyncFileSystem(fd)
                                                                          : -1;
}

int RecordingCalls::Rename(const char* from, const char* to) {
  return Admit({FileSystemEvent::Kind::Rename, Canonical(from), Canonical(to)}) ? base::FileSystemCalls::Rename(from, to) : -1;
}

int RecordingCalls::Unlink(const char* path) {
  return Admit({FileSystemEvent::Kind::Remove, Canonical(path), {}}) ? base::FileSystemCalls::Unlink(path) : -1;
}

}  // namespace ostrel::testing
