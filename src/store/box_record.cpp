#include "store/box_record.h"

#include "base/fixed_records.h"

namespace ostrel::store {
namespace {

const std::vector<std::size_t>& Widths() {
  static const std::vector<std::size_t> widths = {kToWidth, kFromWidth, kSubjectWidth, kDateWidth, kMsgFileWidth};
  return widths;
}

}  // namespace

std::string BoxRecord::ToBytes() const { return base::JoinFields({To, From, Subject, Date, MsgFile}, Widths()); }

BoxRecord BoxRecord::FromBytes(std::string_view bytes) {
  auto fields = base::SplitFields(bytes, Widths());
  return BoxRecord{std::move(fields[0]), std::move(fields[1]), std::move(fields[2]), std::move(fields[3]),
                   std::move(fields[4])};
}

std::string BoxRecord::MessageName() const { return std::string(base::TrimBlanks(MsgFile)); }

std::string WithMessageName(std::string_view recordBytes, std::string_view messageName) {
  std::string record(recordBytes);
  record.resize(kBoxRecordLength, ' ');
  record.replace(kMsgFileOffset, kMsgFileWidth, base::PadField(messageName, kMsgFileWidth));
  return record;
}

std::string MessageNameOf(std::string_view recordBytes) {
  return std::string(base::TrimBlanks(base::FieldText(recordBytes, kMsgFileOffset, kMsgFileWidth)));
}

}  // namespace ostrel::store
