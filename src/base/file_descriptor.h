#pragma once
// An open file descriptor closed when it goes out of scope.

#include <unistd.h>

#include <utility>

namespace ostrel::base {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Hands the descriptor over: it is no longer closed here.
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

}  // namespace ostrel::base
