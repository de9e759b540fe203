#pragma once
// Reading and writing single work files with the engine's own error: every
// failure becomes an EngineError that names the file.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ostrel::engine {

// Replaces the file whole, readable by the user alone, without flushing it:
// work files are scratch copies every key load rebuilds, so a crash costs
// nothing but loading the key again.
void WriteWorkFile(const std::filesystem::path& path, std::string_view bytes);

// Same for a work file that no cipher operation reads back (the working
// wheels): replaced whole, but not flushed to disk, since after a large file
// a flush would wait for all of that file's bytes to reach the disk.
void WriteScratchWorkFile(const std::filesystem::path& path, std::string_view bytes);

// The whole file; nothing when it is missing.
std::optional<std::string> ReadWorkFile(const std::filesystem::path& path);

// Creates the file empty (0600) when it is missing, and returns its length.
std::uintmax_t EnsureWorkFile(const std::filesystem::path& path);

[[noreturn]] void ThrowDamaged(const std::filesystem::path& path);
[[noreturn]] void ThrowMissing(const std::filesystem::path& path);
// For the files a cipher operation reads and writes: what failed, the path,
// and the system's reason (errno).
[[noreturn]] void ThrowFileError(const std::string& what, const std::filesystem::path& path);

}  // namespace ostrel::engine
