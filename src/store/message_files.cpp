#include "store/message_files.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <system_error>

#include "base/case_insensitive_lookup.h"
#include "base/safe_file.h"

namespace ostrel::store {

bool CopyFileSafely(const std::filesystem::path& source, const std::filesystem::path& destination) {
  const auto contents = base::ReadWholeFile(source);
  if (!contents) return false;
  try {
    base::ReplaceFile(destination, *contents);
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

bool IsSafeMessageName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
         name.find('\0') == std::string_view::npos;
}

std::string NameKey(std::string_view name) {
  std::string key(name);
  std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return key;
}

bool CopyMessageFiles(const std::filesystem::path& fromFolder, std::string_view name,
                      const std::filesystem::path& toFolder, std::string_view newName) {
  if (!IsSafeMessageName(name)) return true;
  bool copied = true;
  for (const char* extension : {".txt", ".htm"}) {
    const auto source = base::FindIgnoringCase(fromFolder, std::string(name) + extension);
    std::error_code error;
    if (!std::filesystem::exists(source, error)) continue;
    copied = CopyFileSafely(source, toFolder / (std::string(newName) + extension)) && copied;
  }
  return copied;
}

bool RemoveMessageFiles(const std::filesystem::path& folder, std::string_view name) {
  if (!IsSafeMessageName(name)) return true;
  bool removed = true;
  for (const char* extension : {".txt", ".htm"}) {
    removed = base::RemoveFile(base::FindIgnoringCase(folder, std::string(name) + extension)) && removed;
  }
  return removed;
}

}  // namespace ostrel::store
