#pragma once
// Reading a record file (settings, keys) creates it empty when it is missing,
// as opening it for record access always did. A file that exists is left
// alone, and a folder that cannot be written still lets everything be read.

#include <system_error>

#include "base/fixed_records.h"

namespace ostrel::base {

inline void CreateEmptyIfMissing(const RecordFile& file) noexcept {
  std::error_code error;
  if (std::filesystem::exists(file.Path(), error) || error) return;
  try {
    file.EnsureExists();
  } catch (const std::system_error&) {
    // Nothing stored is the same as an empty file.
  }
}

}  // namespace ostrel::base
