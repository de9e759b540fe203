#include "base/safe_file.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <limits>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

#include "base/file_descriptor.h"
#include "base/file_system_calls.h"

namespace ostrel::base {
namespace {

constexpr std::string_view kTemporaryPrefix = ".ostrel-";
constexpr std::string_view kNameLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
constexpr std::size_t kRandomLength = 6;

[[noreturn]] void ThrowErrno(const std::string& what, const std::filesystem::path& path) {
  throw std::system_error(errno, std::generic_category(), what + " " + path.string());
}

mode_t ModeFor(Privacy privacy) { return privacy == Privacy::Private ? 0600 : 0644; }

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

std::string TemporaryName() {
  thread_local std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<std::size_t> letter(0, kNameLetters.size() - 1);
  std::string name(kTemporaryPrefix);
  name += std::to_string(::getpid()) + "-";
  for (std::size_t i = 0; i < kRandomLength; ++i) name += kNameLetters[letter(random)];
  return name;
}

bool AllOf(std::string_view text, std::string_view allowed) {
  return !text.empty() && text.find_first_not_of(allowed) == std::string_view::npos;
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

PendingFile::PendingFile(const std::filesystem::path& target, Privacy privacy) : target_(target) {
  const std::filesystem::path folder = target.parent_path();
  // O_EXCL: an existing file of the chosen name is never opened, let alone
  // truncated; another name is tried instead.
  for (int attempt = 0; fd_ < 0; ++attempt) {
    temporary_ = folder / TemporaryName();
    fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, ModeFor(privacy));
    if (fd_ < 0 && (errno != EEXIST || attempt == 100)) ThrowErrno("cannot create a file beside", target);
  }
}

PendingFile::~PendingFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!committed_) Calls().Unlink(temporary_.c_str());
}

void PendingFile::SetTarget(const std::filesystem::path& target) {
  if (target.parent_path() != temporary_.parent_path()) {
    throw std::system_error(EXDEV, std::generic_category(), "not beside its temporary file: " + target.string());
  }
  target_ = target;
}

void PendingFile::Write(std::string_view bytes) { WriteAll(fd_, bytes, temporary_); }

void PendingFile::Close() {
  if (fd_ >= 0 && ::close(std::exchange(fd_, -1)) != 0) ThrowErrno("cannot close", temporary_);
}

void PendingFile::Flush() {
  if (Calls().Fsync(fd_) != 0) ThrowErrno("cannot flush", temporary_);
  const int fd = std::exchange(fd_, -1);
  if (::close(fd) != 0) ThrowErrno("cannot close", temporary_);
}

void PendingFile::Commit() {
  if (fd_ >= 0 && ::close(std::exchange(fd_, -1)) != 0) ThrowErrno("cannot close", temporary_);
  if (Calls().Rename(temporary_.c_str(), target_.c_str()) != 0) ThrowErrno("cannot replace", target_);
  committed_ = true;
}

void PendingFile::Release() {
  if (fd_ >= 0) ::close(std::exchange(fd_, -1));
  committed_ = true;
}

void ReplaceFile(const std::filesystem::path& path, std::string_view contents, Privacy privacy) {
  PendingFile file(path, privacy);
  file.Write(contents);
  file.Flush();
  file.Commit();
  SyncFolder(path.parent_path());
}

void ReplaceScratchFile(const std::filesystem::path& path, std::string_view contents, Privacy privacy) {
  PendingFile file(path, privacy);
  file.Write(contents);
  file.Commit();
}

void AppendToFile(const std::filesystem::path& path, std::string_view bytes, Privacy privacy) {
  FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, ModeFor(privacy)));
  if (file.get() < 0) ThrowErrno("cannot open", path);
  WriteAll(file.get(), bytes, path);
  if (Calls().Fsync(file.get()) != 0) ThrowErrno("cannot flush", path);
  if (::close(file.release()) != 0) ThrowErrno("cannot close", path);
}

bool RemoveFile(const std::filesystem::path& path) { return Calls().Unlink(path.c_str()) == 0 || errno == ENOENT; }

void MakePrivateFolder(const std::filesystem::path& folder) {
  if (folder.empty() || std::filesystem::is_directory(folder)) return;
  MakePrivateFolder(folder.parent_path());
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) ThrowErrno("cannot create folder", folder);
}

void FlushTogether(const std::vector<std::filesystem::path>& files) {
  // Up to this many, flushing each costs no more than flushing the file
  // system, which also waits for whatever else is pending on it.
  constexpr std::size_t kFewFiles = 4;
  bool oneFileSystem = files.size() > kFewFiles;
  struct stat first {};
  for (std::size_t i = 0; oneFileSystem && i < files.size(); ++i) {
    struct stat status {};
    if (::stat(files[i].c_str(), &status) != 0) ThrowErrno("cannot find", files[i]);
    if (i == 0) first = status;
    oneFileSystem = status.st_dev == first.st_dev;
  }
  for (const auto& path : files) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) ThrowErrno("cannot open", path);
    if (oneFileSystem) {
      if (Calls().SyncFileSystem(file.get()) != 0) ThrowErrno("cannot flush the file system of", path);
      return;
    }
    if (Calls().Fsync(file.get()) != 0) ThrowErrno("cannot flush", path);
  }
}

bool SyncFile(const std::filesystem::path& path) {
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  return file.get() >= 0 && Calls().Fsync(file.get()) == 0;
}

void SyncFolder(const std::filesystem::path& folder) {
  const std::filesystem::path name = folder.empty() ? std::filesystem::path(".") : folder;
  FileDescriptor dir(::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) Calls().Fsync(dir.get());
}

bool IsTemporaryFileName(std::string_view name) {
  if (!name.starts_with(kTemporaryPrefix)) return false;
  name.remove_prefix(kTemporaryPrefix.size());
  const auto dash = name.find('-');
  if (dash == std::string_view::npos || dash > 10) return false;
  return AllOf(name.substr(0, dash), "0123456789") && name.size() == dash + 1 + kRandomLength &&
         AllOf(name.substr(dash + 1), kNameLetters);
}

bool IsLeftoverTemporaryFileName(std::string_view name) {
  if (!IsTemporaryFileName(name)) return false;
  name.remove_prefix(kTemporaryPrefix.size());
  const long long pid = std::stoll(std::string(name.substr(0, name.find('-'))));
  if (pid <= 0 || pid > std::numeric_limits<pid_t>::max()) return true;
  // EPERM: the process runs, under another user.
  return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

}  // namespace ostrel::base
