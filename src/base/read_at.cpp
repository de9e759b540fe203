#include "base/read_at.h"

#include <unistd.h>

#include <cerrno>

namespace ostrel::base {

std::ptrdiff_t ReadAt(int fd, void* buffer, std::size_t size, std::uint64_t offset) {
  auto* bytes = static_cast<unsigned char*>(buffer);
  std::size_t got = 0;
  while (got < size) {
    const ssize_t part = ::pread(fd, bytes + got, size - got, static_cast<off_t>(offset + got));
    if (part < 0 && errno == EINTR) continue;
    if (part < 0) return -1;
    if (part == 0) break;
    got += static_cast<std::size_t>(part);
  }
  return static_cast<std::ptrdiff_t>(got);
}

}  // namespace ostrel::base
