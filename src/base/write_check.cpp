#include "base/write_check.h"

#include <cerrno>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace ostrel::base {

void RequireWritable(const std::filesystem::path& path) {
  // Opening for writing without truncating changes nothing; O_NONBLOCK keeps
  // a named pipe from waiting for a reader.
  const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd >= 0) {
    ::close(fd);
    return;
  }
  if (errno == ENOENT) return;
  throw std::system_error(errno, std::generic_category(), "cannot write " + path.string());
}

}  // namespace ostrel::base
