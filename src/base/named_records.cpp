#include "base/named_records.h"

#include "base/empty_file.h"

namespace ostrel::base {

NamedRecordFile::NamedRecordFile(std::filesystem::path path, std::size_t nameWidth, std::size_t valueWidth)
    : file_(std::move(path), nameWidth + valueWidth), widths_{nameWidth, valueWidth} {}

NamedRecord NamedRecordFile::Parse(std::string_view record) const {
  const auto fields = SplitFields(record, widths_);
  return {std::string(TrimBlanks(fields[0])), std::string(TrimBlanks(fields[1]))};
}

std::string NamedRecordFile::Format(std::string_view name, std::string_view value) const {
  return JoinFields({std::string(name), std::string(value)}, widths_);
}

std::vector<std::string> NamedRecordFile::ReadRecords() const {
  CreateEmptyIfMissing(file_);
  return file_.ReadAll();
}

std::vector<NamedRecord> NamedRecordFile::ReadAll() const {
  std::vector<NamedRecord> entries;
  for (const std::string& record : ReadRecords()) entries.push_back(Parse(record));
  return entries;
}

std::optional<std::string> NamedRecordFile::Find(std::string_view name) const {
  for (NamedRecord& entry : ReadAll()) {
    if (entry.name == name) return std::move(entry.value);
  }
  return std::nullopt;
}

void NamedRecordFile::Append(std::string_view name, std::string_view value) const {
  file_.Append(Format(name, value));
}

bool NamedRecordFile::Replace(std::string_view name, std::string_view value, Which which) const {
  std::vector<std::string> records = ReadRecords();
  std::size_t found = records.size();
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (Parse(records[i]).name != name) continue;
    found = i;
    if (which == Which::First) break;
  }
  if (found == records.size()) return false;
  records[found] = Format(name, value);
  file_.Rewrite(records);
  return true;
}

std::vector<NamedRecord> NamedRecordFile::RemoveAll(std::string_view name) const {
  std::vector<std::string> kept;
  std::vector<NamedRecord> removed;
  for (std::string& record : ReadRecords()) {
    NamedRecord entry = Parse(record);
    if (entry.name == name) {
      removed.push_back(std::move(entry));
    } else {
      kept.push_back(std::move(record));
    }
  }
  if (!removed.empty()) file_.Rewrite(kept);
  return removed;
}

std::string NamedRecordFile::StoredValue(std::string_view value) const { return Parse(Format("", value)).value; }

}  // namespace ostrel::base
