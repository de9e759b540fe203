#pragma once
// The files directly in one folder, and emptying it of them.

#include <filesystem>
#include <vector>

namespace ostrel::base {

// The regular files directly in folder (a link to one counts), in the order
// the folder lists them; none when it cannot be read.
std::vector<std::filesystem::path> RegularFilesIn(const std::filesystem::path& folder);

// Removes every regular file directly in folder; subfolders, and files that
// cannot be removed, stay.
void RemoveFilesIn(const std::filesystem::path& folder) noexcept;

}  // namespace ostrel::base
