#pragma once
// A change that writes several files looks at each of them first, so that a
// file it may not write stops it before anything has changed, rather than
// half-way through.

#include <filesystem>

namespace ostrel::base {

// Throws std::system_error ("cannot write <path>: <reason>") when the file
// exists but may not be opened for writing (read-only, a folder, ...). A
// missing file passes: making it is the writer's business.
void RequireWritable(const std::filesystem::path& path);

}  // namespace ostrel::base
