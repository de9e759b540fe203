#include "base/case_insensitive_lookup.h"

#include <dirent.h>
#include <sys/stat.h>

#include <optional>
#include <string>

#include "base/letter_case.h"

namespace ostrel::base {
namespace {

bool EntryExists(const std::filesystem::path& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

// The spelling in folder of name in another letter case, when there is one.
std::optional<std::string> OtherSpelling(const std::filesystem::path& folder, std::string_view name) {
  DIR* listing = ::opendir(folder.c_str());
  if (listing == nullptr) return std::nullopt;
  std::optional<std::string> found;
  while (const dirent* entry = ::readdir(listing)) {
    const std::string_view entryName(entry->d_name);
    if (entryName == "." || entryName == "..") continue;
    if (!SameIgnoringCase(entryName, name)) continue;
    if (!found || entryName < *found) found = std::string(entryName);
  }
  ::closedir(listing);
  return found;
}

}  // namespace

std::filesystem::path FindIgnoringCase(const std::filesystem::path& folder, std::string_view name) {
  std::filesystem::path exact = folder / name;
  if (name.empty() || EntryExists(exact)) return exact;
  const auto other = OtherSpelling(folder, name);
  return other ? folder / *other : exact;
}

bool ExistsIgnoringCase(const std::filesystem::path& folder, std::string_view name) {
  return EntryExists(FindIgnoringCase(folder, name));
}

}  // namespace ostrel::base
