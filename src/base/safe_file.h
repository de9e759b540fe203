#pragma once
// Whole-file reads and crash-safe replacement of files.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ostrel::base {

enum class Privacy { Normal, Private };  // Private: readable by the user alone (0600)

// The whole file, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Replaces the file with contents so that a crash, a kill or a full disk at
// any moment leaves either the old file or the new one, never a mix: the bytes
// go to tempPath, are flushed to disk, and tempPath is renamed over path.
// Throws std::system_error on failure; the old file is then untouched.
void ReplaceFile(const std::filesystem::path& path, std::string_view contents,
                 const std::filesystem::path& tempPath, Privacy privacy = Privacy::Normal);

// Same, with a temporary file named after the target in its own folder.
void ReplaceFile(const std::filesystem::path& path, std::string_view contents,
                 Privacy privacy = Privacy::Normal);

// Same replacement, whole or not at all while the system runs, but without
// the flushes to disk: for files that nothing needs back after a crash, where
// a flush would wait for every other write the disk has pending.
void ReplaceScratchFile(const std::filesystem::path& path, std::string_view contents,
                        Privacy privacy = Privacy::Normal);

// Appends bytes and flushes them to disk.
void AppendToFile(const std::filesystem::path& path, std::string_view bytes,
                  Privacy privacy = Privacy::Normal);

// Makes the folder (and its parents) when missing; folders made are 0700.
void MakePrivateFolder(const std::filesystem::path& folder);

// Flushes a folder's entries (after a rename or unlink) to disk.
void SyncFolder(const std::filesystem::path& folder);

// Flushes a file's bytes to disk; false when the file cannot be opened or
// the disk refuses them.
bool SyncFile(const std::filesystem::path& path);

}  // namespace ostrel::base
