#include "store/box_index.h"

#include <dirent.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <string_view>
#include <unordered_set>

#include "base/case_insensitive_lookup.h"
#include "base/number_text.h"
#include "base/safe_file.h"
#include "base/text_pieces.h"
#include "store/box_record.h"

namespace ostrel::store {
namespace {

// Far below the point where adding to it could overflow.
constexpr std::int64_t kLargestIndex = std::numeric_limits<std::int64_t>::max() / 2;

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c; }

// The number of a message file name ("MSG12.txt" in any letter case), or
// nothing for any other name ("MSG012.txt" is not the file of message 12).
std::optional<std::int64_t> MessageNumberOf(std::string_view fileName) {
  const auto foldedIs = [](std::string_view part, std::string_view lower) {
    return part.size() == lower.size() && std::equal(part.begin(), part.end(), lower.begin(),
                                                     [](char a, char b) { return AsciiLower(a) == b; });
  };
  if (fileName.size() < 8 || !foldedIs(fileName.substr(0, 3), "msg")) return std::nullopt;
  const std::string_view extension = fileName.substr(fileName.size() - 4);
  if (!foldedIs(extension, ".txt") && !foldedIs(extension, ".htm")) return std::nullopt;
  const std::string_view digits = fileName.substr(3, fileName.size() - 7);
  if (digits.size() > 18 || digits.front() == '0') return std::nullopt;
  std::int64_t number = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + (c - '0');
  }
  return number;
}

// The numbers whose message files are in the folder, found in one pass
// over it, since a file may be there in any letter case.
std::unordered_set<std::int64_t> NumbersInUse(const std::filesystem::path& boxFolder) {
  std::unordered_set<std::int64_t> numbers;
  DIR* listing = ::opendir(boxFolder.c_str());
  if (listing == nullptr) return numbers;
  while (const dirent* entry = ::readdir(listing)) {
    if (const auto number = MessageNumberOf(entry->d_name)) numbers.insert(*number);
  }
  ::closedir(listing);
  return numbers;
}

// The number after this one; past the largest, numbering starts again at 1.
std::int64_t Following(std::int64_t number) { return number >= kLargestMessageNumber ? 1 : number + 1; }

}  // namespace

std::int64_t ReadBoxIndex(const std::filesystem::path& boxFolder) {
  const auto contents = base::ReadWholeFile(base::FindIgnoringCase(boxFolder, kIndexFileName));
  if (!contents) return 0;
  const std::string_view text(*contents);
  const std::string_view firstField = text.substr(0, text.find_first_of(",\r\n"));
  return base::RoundHalfEven(base::NumericValue(firstField), 0, kLargestIndex);
}

void WriteBoxIndex(const std::filesystem::path& boxFolder, std::int64_t number) {
  base::ReplaceFile(base::FindIgnoringCase(boxFolder, kIndexFileName),
                    base::PrintForm(number) + std::string(base::kLineEnd));
}

std::string MessageNameFor(std::int64_t number) { return "MSG" + std::to_string(number); }

std::string NextMessageName(const std::filesystem::path& boxFolder) { return NextMessageNames(boxFolder, 1).front(); }

std::vector<std::string> NextMessageNames(const std::filesystem::path& boxFolder, std::size_t count) {
  std::vector<std::string> names;
  if (count == 0) return names;
  const std::unordered_set<std::int64_t> inUse = NumbersInUse(boxFolder);
  std::int64_t number = ReadBoxIndex(boxFolder);
  while (names.size() < count) {
    number = Following(number);
    // A message this box is about to get must not take a name twice either.
    if (inUse.count(number) == 0) names.push_back(MessageNameFor(number));
  }
  WriteBoxIndex(boxFolder, number);
  return names;
}

}  // namespace ostrel::store
