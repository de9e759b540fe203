#pragma once
// Copying and removing the files of one message (the text file ".txt" and
// the optional web file ".htm") between box folders.

#include <filesystem>
#include <string>
#include <string_view>

namespace ostrel::store {

// Copies a file so that the copy is either whole and on disk or absent.
// Returns false when the source cannot be read or the copy cannot be written.
bool CopyFileSafely(const std::filesystem::path& source, const std::filesystem::path& destination);

// A base name that stays inside its box folder: not empty, no "/", not a
// dot name. A damaged box list cannot make the program touch other files.
bool IsSafeMessageName(std::string_view name);

// A message name as compared with another: without regard to case, as the
// file system the boxes come from compared them.
std::string NameKey(std::string_view name);

// Copies "<name>.txt" and "<name>.htm" (found in any letter case) from one
// folder to another under a new name; a file that is missing is skipped.
// Returns false when a file that
// exists could not be copied, so that the caller keeps the original.
bool CopyMessageFiles(const std::filesystem::path& fromFolder, std::string_view name,
                      const std::filesystem::path& toFolder, std::string_view newName);

// Removes "<name>.txt" and "<name>.htm", found in any letter case; missing
// files are no error. False when one is still there.
bool RemoveMessageFiles(const std::filesystem::path& folder, std::string_view name);

}  // namespace ostrel::store
