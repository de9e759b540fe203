#pragma once
// Every file under a folder with its bytes, to show that an action changed
// nothing stored (or only what it should).

#include <filesystem>
#include <map>
#include <string>

namespace ostrel::testing {

// Relative path (with "/") to the file's bytes; folders appear as the path
// with a "/" at its end and no bytes.
using FolderContents = std::map<std::string, std::string>;

FolderContents ReadFolderContents(const std::filesystem::path& folder);

}  // namespace ostrel::testing
