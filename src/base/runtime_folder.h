#pragma once
// The private runtime folder of a program folder: where the keyspace work
// files live when the session offers memory-backed storage of the user's own
// ($XDG_RUNTIME_DIR), so that key material never reaches a disk. Each program
// folder gets a folder of its own there, named after a hash of its canonical
// path, so that two installations never share one.

#include <filesystem>
#include <optional>

namespace ostrel::base {

// $XDG_RUNTIME_DIR/ostrel-<16 hex digits> for the program folder, made 0700
// when missing; nothing when XDG_RUNTIME_DIR is unset, not absolute, not a
// folder of this user closed to others, or the folder cannot be made or is
// not a private folder of this user.
std::optional<std::filesystem::path> RuntimeFolderFor(const std::filesystem::path& programFolder);

// A private folder made afresh under $XDG_RUNTIME_DIR for work files no
// program folder owns ("ostrel-work-XXXXXX"); nothing where there is no
// usable runtime folder.
std::optional<std::filesystem::path> FreshRuntimeFolder();

// The folder lies on storage held in memory (tmpfs or ramfs).
bool IsInMemory(const std::filesystem::path& folder);

}  // namespace ostrel::base
