#include "keys/key_store.h"

#include <cstdint>
#include <system_error>

#include "base/ansi_text.h"
#include "base/empty_file.h"
#include "base/fixed_records.h"
#include "base/number_text.h"
#include "base/safe_file.h"

namespace ostrel::keys {
namespace {

constexpr std::size_t kFlagOffset = kKeyNameWidth + kKeyTextWidth;

std::filesystem::path StorePath(const std::filesystem::path& programFolder) {
  return programFolder / kKeyStoreFileName;
}

// Stored bytes cut to width, never inside a character, and padded with
// blanks; the engine expands these very bytes, so they are not converted.
std::string PadBytes(std::string_view bytes, std::size_t width) {
  std::string field(base::CutToWidth(bytes, width));
  field.resize(width, ' ');
  return field;
}

}  // namespace

std::string FormatKeyRecord(const KeyRecord& record) {
  return base::PadField(record.name, kKeyNameWidth) + PadBytes(record.keyText, kKeyTextWidth) +
         (record.isDefault ? "Y" : "N");
}

KeyRecord ParseKeyRecord(std::string_view bytes) {
  KeyRecord record;
  record.name = std::string(base::TrimBlanks(base::FieldText(bytes, 0, kKeyNameWidth)));
  if (bytes.size() > kKeyNameWidth) {
    record.keyText = std::string(base::TrimBlanks(bytes.substr(kKeyNameWidth, kKeyTextWidth)));
  }
  record.isDefault = bytes.size() > kFlagOffset && bytes[kFlagOffset] == 'Y';
  return record;
}

std::size_t KeyRecordCount(const std::filesystem::path& programFolder) {
  std::error_code error;
  const auto length = std::filesystem::file_size(StorePath(programFolder), error);
  if (error) return 0;
  const double records = static_cast<double>(length) / static_cast<double>(kKeyRecordLength);
  return static_cast<std::size_t>(base::RoundHalfEven(records, 0, INT64_MAX));
}

std::vector<KeyRecord> ReadKeys(const std::filesystem::path& programFolder) {
  const base::RecordFile file(StorePath(programFolder), kKeyRecordLength, base::Privacy::Private);
  base::CreateEmptyIfMissing(file);
  const auto bytes = base::ReadWholeFile(file.Path()).value_or(std::string());
  const std::size_t count = KeyRecordCount(programFolder);
  std::vector<KeyRecord> records;
  records.reserve(count);
  for (std::size_t n = 0; n < count; ++n) {
    const std::size_t offset = n * kKeyRecordLength;
    // A record cut short by a damaged file reads as if blank-padded.
    records.push_back(ParseKeyRecord(offset < bytes.size() ? std::string_view(bytes).substr(offset, kKeyRecordLength)
                                                           : std::string_view()));
  }
  return records;
}

void WriteKeys(const std::filesystem::path& programFolder, const std::vector<KeyRecord>& records) {
  std::vector<std::string> bytes;
  bytes.reserve(records.size());
  for (const KeyRecord& record : records) bytes.push_back(FormatKeyRecord(record));
  base::RecordFile(StorePath(programFolder), kKeyRecordLength, base::Privacy::Private).Rewrite(bytes);
}

std::optional<KeyRecord> FindKey(const std::vector<KeyRecord>& records, std::string_view name) {
  for (const KeyRecord& record : records) {
    if (record.name == name) return record;
  }
  return std::nullopt;
}

std::optional<KeyRecord> ReadDefaultKey(const std::filesystem::path& programFolder) {
  for (const KeyRecord& record : ReadKeys(programFolder)) {
    if (record.isDefault) return record;
  }
  return std::nullopt;
}

std::vector<std::string> KeyNames(const std::vector<KeyRecord>& records) {
  std::vector<std::string> names;
  names.reserve(records.size());
  for (const KeyRecord& record : records) names.push_back(record.name);
  return names;
}

std::string ShownKeyName(const std::vector<KeyRecord>& records, std::string_view currentKey) {
  std::string shown;
  if (currentKey.empty()) return shown;
  for (const KeyRecord& record : records) {
    if (record.keyText == currentKey) shown = record.name;
  }
  return shown;
}

void WriteSelectedKey(const std::filesystem::path& programFolder, std::string_view keyText) {
  base::ReplaceFile(programFolder / kSelectedKeyFileName, std::string(keyText) + "\r\n", base::Privacy::Private);
}

}  // namespace ostrel::keys
