#include "store/box_view.h"

#include <stdexcept>

#include "base/number_text.h"
#include "store/box_record.h"
#include "store/boxes.h"
#include "store/mail_box.h"

namespace ostrel::store {
namespace {

constexpr std::size_t kFromOffset = kToWidth;
constexpr std::size_t kSubjectOffset = kFromOffset + kFromWidth;
constexpr std::size_t kDateOffset = kSubjectOffset + kSubjectWidth;

BoxRow RowOf(std::string_view record, std::size_t number) {
  return BoxRow{number, base::FieldText(record, kFromOffset, kFromWidth),
                base::FieldText(record, kSubjectOffset, kSubjectWidth),
                base::FieldText(record, kDateOffset, kDateWidth)};
}

const BoxInfo& ShownBox(std::string_view name) {
  const BoxInfo* box = FindShownBox(name);
  if (box == nullptr) throw std::invalid_argument("\"" + std::string(name) + "\" is not a box the grid shows.");
  return *box;
}

}  // namespace

std::string BoxRow::RecordText() const { return base::PrintForm(static_cast<std::int64_t>(record)); }

std::string FrameCaption(std::string_view boxCaption, std::size_t count) {
  return std::string(boxCaption) + " (" + std::to_string(count) + " msgs)";
}

std::optional<BoxView> LoadBoxView(const std::filesystem::path& programFolder, std::string_view boxName) {
  const BoxInfo* info = FindShownBox(boxName);
  if (info == nullptr) return std::nullopt;
  const MailBox box(programFolder, boxName);
  box.EnsureListExists();
  const std::vector<std::string> records = box.ReadAllBytes();

  BoxView view;
  view.count = records.size();
  view.caption = FrameCaption(info->caption, view.count);
  view.rows.reserve(records.size());
  for (std::size_t i = records.size(); i >= 1; --i) view.rows.push_back(RowOf(records[i - 1], i));
  return view;
}

BoxRowReader::BoxRowReader(const std::filesystem::path& programFolder, std::string_view boxName)
    : list_(programFolder / std::string(ShownBox(boxName).listFile), kBoxRecordLength) {
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
