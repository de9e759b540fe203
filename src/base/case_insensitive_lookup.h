#pragma once
// Data files and folders are found by name with letter case set aside, as on
// the file systems the program's folders come from: a box list "INBOX.DAT" is
// the box list "inbox.dat". New files get the program's own spelling.

#include <filesystem>
#include <string_view>

namespace ostrel::base {

// The entry of folder called name: name itself when it exists; otherwise the
// entry whose name differs from it only in letter case (the first in byte
// order when there are several); otherwise folder / name, the path a new
// entry gets.
std::filesystem::path FindIgnoringCase(const std::filesystem::path& folder, std::string_view name);

// Whether folder holds an entry called name in any letter case.
bool ExistsIgnoringCase(const std::filesystem::path& folder, std::string_view name);

}  // namespace ostrel::base
