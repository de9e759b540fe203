#include "store/box_index.h"

#include <limits>

#include "base/case_insensitive_lookup.h"
#include "base/number_text.h"
#include "base/safe_file.h"
#include "store/box_record.h"

namespace ostrel::store {
namespace {

// Far below the point where adding to it could overflow.
constexpr std::int64_t kLargestIndex = std::numeric_limits<std::int64_t>::max() / 2;

bool MessageFilesExist(const std::filesystem::path& boxFolder, const std::string& name) {
  return base::ExistsIgnoringCase(boxFolder, name + ".txt") || base::ExistsIgnoringCase(boxFolder, name + ".htm");
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
  base::ReplaceFile(base::FindIgnoringCase(boxFolder, kIndexFileName), base::PrintForm(number) + "\r\n");
}

std::string MessageNameFor(std::int64_t number) { return "MSG" + std::to_string(number); }

std::string NextMessageName(const std::filesystem::path& boxFolder) {
  std::int64_t number = Following(ReadBoxIndex(boxFolder));
  while (MessageFilesExist(boxFolder, MessageNameFor(number))) number = Following(number);
  WriteBoxIndex(boxFolder, number);
  return MessageNameFor(number);
}

}  // namespace ostrel::store
