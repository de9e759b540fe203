#include "store/box_view.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

#include "base/ansi_text.h"
#include "base/number_text.h"
#include "base/read_at.h"
#include "store/box_record.h"
#include "store/boxes.h"
#include "store/mail_box.h"

namespace ostrel::store {
namespace {

constexpr std::size_t kFromOffset = kToWidth;
constexpr std::size_t kSubjectOffset = kFromOffset + kFromWidth;
constexpr std::size_t kDateOffset = kSubjectOffset + kSubjectWidth;

// Plain ASCII, by far the most common field, needs no conversion.
std::string FieldOf(std::string_view record, std::size_t offset, std::size_t width) {
  const std::string_view field = record.substr(offset, width);
  const bool ascii = std::all_of(field.begin(), field.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  return ascii ? std::string(field) : base::FromAnsi(field);
}

BoxRow RowOf(std::string_view record, std::size_t number) {
  return BoxRow{number, FieldOf(record, kFromOffset, kFromWidth), FieldOf(record, kSubjectOffset, kSubjectWidth),
                FieldOf(record, kDateOffset, kDateWidth),
                std::string(base::TrimBlanks(FieldOf(record, kMsgFileOffset, kMsgFileWidth)))};
}

// Adds the rows of a list, newest first, reading it backwards in blocks of
// whole records so that a box of any size takes little memory beyond its rows.
void AddRowsNewestFirst(const std::filesystem::path& path, std::vector<BoxRow>& rows) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  struct stat info {};
  const std::size_t count = ::fstat(fd, &info) == 0 ? static_cast<std::size_t>(info.st_size) / kBoxRecordLength : 0;
  rows.reserve(count);
  constexpr std::size_t kBlockRecords = 4096;
  std::string block(kBlockRecords * kBoxRecordLength, ' ');
  for (std::size_t last = count; last > 0;) {
    const std::size_t first = last > kBlockRecords ? last - kBlockRecords + 1 : 1;
    const std::size_t wanted = (last - first + 1) * kBoxRecordLength;
    const auto got = base::ReadAt(fd, block.data(), wanted, (first - 1) * kBoxRecordLength);
    if (got != static_cast<std::ptrdiff_t>(wanted)) break;  // the list shrank while it was read
    const std::string_view records(block.data(), wanted);
    for (std::size_t i = last; i >= first; --i) {
      rows.push_back(RowOf(records.substr((i - first) * kBoxRecordLength, kBoxRecordLength), i));
    }
    last = first - 1;
  }
  ::close(fd);
}

const BoxInfo& ShownBox(std::string_view name) {
  const BoxInfo* box = FindShownBox(name);
  if (box == nullptr) throw std::invalid_argument("\"" + std::string(name) + "\" is not a box the grid shows.");
  return *box;
}

}  // namespace

std::string BoxRow::RecordText() const { return base::PrintForm(static_cast<std::int64_t>(record)); }

std::optional<std::size_t> RowOfMessage(const BoxView& view, std::string_view messageName) {
  if (messageName.empty()) return std::nullopt;
  const auto found = std::find_if(view.rows.begin(), view.rows.end(),
                                  [&](const BoxRow& row) { return row.MsgFile == messageName; });
  if (found == view.rows.end()) return std::nullopt;
  return static_cast<std::size_t>(found - view.rows.begin());
}

std::string FrameCaption(std::string_view boxCaption, std::size_t count) {
  return std::string(boxCaption) + " (" + std::to_string(count) + " msgs)";
}

std::optional<BoxView> LoadBoxView(const std::filesystem::path& programFolder, std::string_view boxName) {
  const BoxInfo* info = FindShownBox(boxName);
  if (info == nullptr) return std::nullopt;
  const MailBox box(programFolder, boxName);
  box.EnsureListExists();
  BoxView view;
  AddRowsNewestFirst(box.ListPath(), view.rows);
  view.count = view.rows.size();
  view.caption = FrameCaption(info->caption, view.count);
  return view;
}

BoxRowReader::BoxRowReader(const std::filesystem::path& programFolder, std::string_view boxName)
    : list_(MailBox(programFolder, ShownBox(boxName).name).ListPath(), kBoxRecordLength) {
  list_.EnsureExists();
  count_ = list_.Count();
  caption_ = FrameCaption(ShownBox(boxName).caption, count_);
}

std::optional<BoxRow> BoxRowReader::Row(std::size_t r) const {
  if (r < 1 || r > count_) return std::nullopt;
  const std::size_t number = count_ - r + 1;
  const auto record = list_.Read(number);
  if (!record) return std::nullopt;
  return RowOf(*record, number);
}

}  // namespace ostrel::store
