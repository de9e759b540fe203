#pragma once
// The box index file "index.dat" of a box folder: one line holding the number
// of the last message file made in the box, in print form (" 12" CR LF).

#include <cstdint>
#include <filesystem>
#include <string>

namespace ostrel::store {

inline constexpr const char* kIndexFileName = "index.dat";

// The stored number: the numeric value of the first field; garbage, a
// missing file and negative numbers read as 0.
std::int64_t ReadBoxIndex(const std::filesystem::path& boxFolder);

// Replaces the index file in one step.
void WriteBoxIndex(const std::filesystem::path& boxFolder, std::int64_t number);

// "MSG" followed by the number, the base name of a message's files.
std::string MessageNameFor(std::int64_t number);

// Advances the index and returns the new message name. The index is written
// before any message file, so a number is never handed out twice; a name
// whose files already exist in any letter case (an index that was damaged or
// reset by hand) is passed over rather than overwritten. No 16-bit limit
// applies.
std::string NextMessageName(const std::filesystem::path& boxFolder);

}  // namespace ostrel::store
