#include "base/safe_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace ostrel::base {
namespace {

[[noreturn]] void ThrowErrno(const std::string& what, const std::filesystem::path& path) {
  throw std::system_error(errno, std::generic_category(), what + " " + path.string());
}

mode_t ModeFor(Privacy privacy) { return privacy == Privacy::Private ? 0600 : 0644; }

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

void WriteAll(int fd, std::string_view bytes, const std::filesystem::path& path) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      ThrowErrno("cannot write", path);
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

void SyncAndClose(FileDescriptor& file, const std::filesystem::path& path) {
  if (::fsync(file.get()) != 0) ThrowErrno("cannot flush", path);
  if (::close(file.release()) != 0) ThrowErrno("cannot close", path);
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) return std::nullopt;
  std::string contents;
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (got == 0) break;
    contents.append(buffer, static_cast<std::size_t>(got));
  }
  return contents;
}

namespace {

void Replace(const std::filesystem::path& path, std::string_view contents, const std::filesystem::path& tempPath,
             Privacy privacy, bool flush) {
  {
    FileDescriptor temp(::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, ModeFor(privacy)));
    if (temp.get() < 0) ThrowErrno("cannot create", tempPath);
    if (privacy == Privacy::Private) ::fchmod(temp.get(), 0600);
    try {
      WriteAll(temp.get(), contents, tempPath);
      if (flush) {
        SyncAndClose(temp, tempPath);
      } else if (::close(temp.release()) != 0) {
        ThrowErrno("cannot close", tempPath);
      }
    } catch (...) {
      ::unlink(tempPath.c_str());
      throw;
    }
  }
  if (::rename(tempPath.c_str(), path.c_str()) != 0) {
    const int error = errno;
    ::unlink(tempPath.c_str());
    errno = error;
    ThrowErrno("cannot replace", path);
  }
  if (flush) SyncFolder(path.parent_path());
}

std::filesystem::path TempPathFor(const std::filesystem::path& path) {
  std::filesystem::path temp = path;
  temp += ".new";
  return temp;
}

}  // namespace

void ReplaceFile(const std::filesystem::path& path, std::string_view contents,
                 const std::filesystem::path& tempPath, Privacy privacy) {
  Replace(path, contents, tempPath, privacy, true);
}

void ReplaceScratchFile(const std::filesystem::path& path, std::string_view contents, Privacy privacy) {
  Replace(path, contents, TempPathFor(path), privacy, false);
}

void ReplaceFile(const std::filesystem::path& path, std::string_view contents, Privacy privacy) {
  ReplaceFile(path, contents, TempPathFor(path), privacy);
}

void AppendToFile(const std::filesystem::path& path, std::string_view bytes, Privacy privacy) {
  FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, ModeFor(privacy)));
  if (file.get() < 0) ThrowErrno("cannot open", path);
  WriteAll(file.get(), bytes, path);
  SyncAndClose(file, path);
}

void MakePrivateFolder(const std::filesystem::path& folder) {
  if (folder.empty() || std::filesystem::is_directory(folder)) return;
  MakePrivateFolder(folder.parent_path());
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) ThrowErrno("cannot create folder", folder);
}

bool SyncFile(const std::filesystem::path& path) {
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  return file.get() >= 0 && ::fsync(file.get()) == 0;
}

void SyncFolder(const std::filesystem::path& folder) {
  const std::filesystem::path name = folder.empty() ? std::filesystem::path(".") : folder;
  FileDescriptor dir(::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
}

}  // namespace ostrel::base
