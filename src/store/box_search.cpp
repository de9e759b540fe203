#include "store/box_search.h"

#include <string.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "base/ansi_text.h"
#include "store/box_record.h"
#include "store/boxes.h"
#include "store/mail_box.h"
#include "store/text_fold.h"

namespace ostrel::store {
namespace {

constexpr char kFieldEnd = '\n';

std::string_view WithoutPadding(std::string_view field) {
  const auto end = field.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : field.substr(0, end + 1);
}

bool Ascii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

BoxSearch::BoxSearch(const std::vector<BoxRow>& rows) {
  folded_.reserve(rows.size() * 80);
  rowEnds_.reserve(rows.size());
  records_.reserve(rows.size());
  for (const BoxRow& row : rows) AddRow(row.record, row.From, row.Subject, row.Date, false);
}

void BoxSearch::AddRow(std::size_t record, std::string_view from, std::string_view subject, std::string_view date,
                       bool stored) {
  for (const std::string_view field : {from, subject, date}) {
    const std::string_view text = WithoutPadding(field);
    // Stored text is Windows-1252 unless it is UTF-8, as the grid reads it.
    if (!stored || Ascii(text)) {
      AppendFolded(folded_, text);
    } else {
      AppendFolded(folded_, base::FromAnsi(text));
    }
    folded_ += kFieldEnd;
  }
  rowEnds_.push_back(folded_.size());
  records_.push_back(record);
}

BoxSearch BoxSearch::OfBox(const std::filesystem::path& programFolder, std::string_view boxName) {
  if (FindShownBox(boxName) == nullptr) {
    throw std::invalid_argument("\"" + std::string(boxName) + "\" is not a box the grid shows.");
  }
  const MailBox box(programFolder, boxName);
  box.EnsureListExists();
  std::ifstream list(box.ListPath(), std::ios::binary);
  list.seekg(0, std::ios::end);
  const auto length = static_cast<std::size_t>(std::max<std::streamoff>(list.tellg(), 0));
  const std::size_t count = length / kBoxRecordLength;

  constexpr std::size_t kFromOffset = kToWidth;
  constexpr std::size_t kSubjectOffset = kFromOffset + kFromWidth;
  constexpr std::size_t kDateOffset = kSubjectOffset + kSubjectWidth;
  BoxSearch search;
  search.folded_.reserve(count * 80);
  search.rowEnds_.reserve(count);
  search.records_.reserve(count);
  // Backwards in blocks of whole records: newest first, in little memory.
  constexpr std::size_t kBlockRecords = 4096;
  std::string block(kBlockRecords * kBoxRecordLength, ' ');
  for (std::size_t last = count; last > 0;) {
    const std::size_t first = last > kBlockRecords ? last - kBlockRecords + 1 : 1;
    const std::size_t bytes = (last - first + 1) * kBoxRecordLength;
    list.seekg(static_cast<std::streamoff>((first - 1) * kBoxRecordLength));
    if (!list.read(block.data(), static_cast<std::streamsize>(bytes))) break;  // the list shrank meanwhile
    for (std::size_t number = last; number >= first; --number) {
      const std::string_view record = std::string_view(block).substr((number - first) * kBoxRecordLength,
                                                                     kBoxRecordLength);
      search.AddRow(number, record.substr(kFromOffset, kFromWidth), record.substr(kSubjectOffset, kSubjectWidth),
                    record.substr(kDateOffset, kDateWidth), true);
    }
    last = first - 1;
  }
  return search;
}

std::vector<std::size_t> BoxSearch::Matching(std::string_view query) const {
  if (query.empty()) return records_;
  const std::string needle = FoldForSearch(query);
  std::vector<std::size_t> found;
  const char* const begin = folded_.data();
  std::size_t from = 0;
  while (from < folded_.size()) {
    // glibc's memmem stays fast for any needle, where a plain find slows
    // down on a common first letter.
    const void* hit = ::memmem(begin + from, folded_.size() - from, needle.data(), needle.size());
    if (hit == nullptr) break;
    const auto at = static_cast<std::size_t>(static_cast<const char*>(hit) - begin);
    const auto row = static_cast<std::size_t>(std::upper_bound(rowEnds_.begin(), rowEnds_.end(), at) - rowEnds_.begin());
    found.push_back(records_[row]);
    from = rowEnds_[row];
  }
  return found;
}

}  // namespace ostrel::store
