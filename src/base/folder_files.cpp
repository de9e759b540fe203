#include "base/folder_files.h"

#include <system_error>

namespace ostrel::base {

std::vector<std::filesystem::path> RegularFilesIn(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    std::error_code typeError;
    if (entry->is_regular_file(typeError)) files.push_back(entry->path());
  }
  return files;
}

void RemoveFilesIn(const std::filesystem::path& folder) noexcept {
  try {
    // Listed before removing, so the removals never disturb the listing.
    for (const auto& file : RegularFilesIn(folder)) {
      std::error_code ignored;
      std::filesystem::remove(file, ignored);
    }
  } catch (const std::bad_alloc&) {
    // Emptying is tidying up: what stays is removed the next time.
  }
}

}  // namespace ostrel::base
