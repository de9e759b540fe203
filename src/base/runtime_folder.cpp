#include "base/runtime_folder.h"

#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <linux/magic.h>
#include <string>

namespace ostrel::base {
namespace {

// A folder (not a link to one) of this user that no one else may write to.
bool IsOwnFolder(const std::filesystem::path& folder, mode_t forbidden) {
  struct stat status {};
  return ::lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == ::geteuid() &&
         (status.st_mode & forbidden) == 0;
}

std::optional<std::filesystem::path> UsableRuntimeRoot() {
  const char* root = std::getenv("XDG_RUNTIME_DIR");
  if (root == nullptr || root[0] != '/') return std::nullopt;
  if (!IsOwnFolder(root, S_IWGRP | S_IWOTH) || ::access(root, W_OK | X_OK) != 0) return std::nullopt;
  return std::filesystem::path(root);
}

// FNV-1a: stable across runs and builds, unlike std::hash.
std::string HashText(const std::string& text) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex(16, '0');
  for (int i = 15; i >= 0; --i, hash >>= 4) hex[static_cast<std::size_t>(i)] = kDigits[hash & 0xF];
  return hex;
}

}  // namespace

std::optional<std::filesystem::path> RuntimeFolderFor(const std::filesystem::path& programFolder) {
  const auto root = UsableRuntimeRoot();
  if (!root) return std::nullopt;
  std::error_code error;
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(programFolder, error);
  if (error) return std::nullopt;
  const std::filesystem::path folder = *root / ("ostrel-" + HashText(canonical.string()));
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return std::nullopt;
  if (!IsOwnFolder(folder, S_IRWXG | S_IRWXO)) return std::nullopt;
  return folder;
}

std::optional<std::filesystem::path> FreshRuntimeFolder() {
  const auto root = UsableRuntimeRoot();
  if (!root) return std::nullopt;
  std::string pattern = (*root / "ostrel-work-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) return std::nullopt;  // made 0700
  return std::filesystem::path(pattern);
}

bool IsInMemory(const std::filesystem::path& folder) {
  struct statfs status {};
  if (::statfs(folder.c_str(), &status) != 0) return false;
  return status.f_type == TMPFS_MAGIC || status.f_type == RAMFS_MAGIC;
}

}  // namespace ostrel::base
