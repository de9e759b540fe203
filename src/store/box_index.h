#pragma once
// The box index file "index.dat" of a box folder: one line holding the number
// of the last message file made in the box, in print form (" 12" CR LF).

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "store/box_record.h"

namespace ostrel::store {

inline constexpr const char* kIndexFileName = "index.dat";

// The largest message number: 2^53. Its name fits the 20 characters of a
// record's MsgFile field, and up to it every number reads back from the
// index file exactly (numbers in text files are read as their numeric value,
// a double), so that no name is ever handed out twice.
inline constexpr std::int64_t kLargestMessageNumber = std::int64_t{1} << 53;
static_assert(sizeof("MSG9007199254740992") - 1 <= kMsgFileWidth);

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
// applies; after kLargestMessageNumber the numbers start again at 1,
// passing over the names still in use.
std::string NextMessageName(const std::filesystem::path& boxFolder);

// The same for count messages at once: the index is read, checked against
// the folder and written once.
std::vector<std::string> NextMessageNames(const std::filesystem::path& boxFolder, std::size_t count);

}  // namespace ostrel::store
