#include "base/file_system_calls.h"

#include <cstdio>
#include <unistd.h>

namespace ostrel::base {
namespace {

FileSystemCalls& SystemsOwn() {
  static FileSystemCalls calls;
  return calls;
}

FileSystemCalls*& InForce() {
  static FileSystemCalls* calls = &SystemsOwn();
  return calls;
}

}  // namespace

int FileSystemCalls::Fsync(int fd) { return ::fsync(fd); }

int FileSystemCalls::SyncFileSystem(int fd) { return ::syncfs(fd); }

int FileSystemCalls::Rename(const char* from, const char* to) { return std::rename(from, to); }

int FileSystemCalls::Unlink(const char* path) { return ::unlink(path); }

FileSystemCalls& Calls() { return *InForce(); }

ScopedFileSystemCalls::ScopedFileSystemCalls(FileSystemCalls& calls) : previous_(InForce()) { InForce() = &calls; }

ScopedFileSystemCalls::~ScopedFileSystemCalls() { InForce() = previous_; }

}  // namespace ostrel::base
