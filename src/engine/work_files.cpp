#include "engine/work_files.h"

#include <bit>
#include <cmath>
#include <vector>

#include "base/number_text.h"
#include "base/text_pieces.h"

namespace ostrel::engine {

std::string WheelRecords(const std::array<Wheel, kWheelCount>& wheels) {
  std::string bytes;
  bytes.reserve(kWheelRecordsSize);
  for (const Wheel& wheel : wheels) {
    for (const std::uint8_t code : wheel) bytes += static_cast<char>(code);
  }
  return bytes;
}

std::optional<std::array<Wheel, kWheelCount>> ParseWheelRecords(std::string_view bytes) {
  if (bytes.size() < kWheelRecordsSize) return std::nullopt;
  std::array<Wheel, kWheelCount> wheels{};
  for (std::size_t j = 0; j < wheels.size(); ++j) {
    std::array<bool, kWheelLength> seen{};
    for (std::size_t k = 0; k < kWheelLength; ++k) {
      const auto code = static_cast<std::uint8_t>(bytes[j * kWheelLength + k]);
      if (seen[code]) return std::nullopt;
      seen[code] = true;
      wheels[j][k] = code;
    }
  }
  return wheels;
}

std::string CountsLine(std::int16_t wheelCount, std::int32_t passCount) {
  return base::PrintFormSpaced(wheelCount) + base::PrintFormSpaced(passCount) + std::string(base::kLineEnd);
}

std::optional<Counts> ParseCounts(std::string_view text) {
  std::vector<std::string_view> fields;
  std::size_t pos = 0;
  auto separator = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ','; };
  while (fields.size() < 2 && pos < text.size()) {
    while (pos < text.size() && separator(text[pos])) ++pos;
    const std::size_t start = pos;
    while (pos < text.size() && !separator(text[pos])) ++pos;
    if (pos > start) fields.push_back(text.substr(start, pos - start));
  }
  if (fields.size() < 2) return std::nullopt;
  return Counts{base::ToInt16(base::NumericValue(fields[0])), base::ToInt32(base::NumericValue(fields[1]))};
}

std::string SettingsRecord(const PositionValues& directionFlags, const PositionValues& settingValues) {
  std::string record;
  record.reserve(kSettingsRecordLength);
  for (const std::int16_t flag : directionFlags) record += flag == 0 ? 'D' : 'U';
  for (const std::int16_t value : settingValues) {
    const auto bits = std::bit_cast<std::uint32_t>(static_cast<float>(value));
    for (int shift = 0; shift < 32; shift += 8) record += static_cast<char>((bits >> shift) & 0xFFu);
  }
  return record;
}

std::optional<SettingsRead> ParseSettingsRecord(std::string_view bytes) {
  if (bytes.size() < kSettingsRecordLength) return std::nullopt;
  SettingsRead read;
  for (std::size_t j = 0; j < kWheelCount; ++j) {
    read.directionFlags[j] = bytes[j] == 'D' ? 0 : 1;
    std::uint32_t bits = 0;
    for (std::size_t b = 0; b < 4; ++b) {
      bits |= std::uint32_t{static_cast<std::uint8_t>(bytes[kWheelCount + 4 * j + b])} << (8 * b);
    }
    read.settingValues[j] = base::ToInt16(static_cast<double>(std::bit_cast<float>(bits)));
  }
  return read;
}

std::string NumberLines(std::span<const std::int16_t> values) {
  std::string text;
  for (const std::int16_t value : values) text += base::PrintFormSpaced(value) + std::string(base::kLineEnd);
  return text;
}

std::optional<PositionValues> ParseSteps(std::string_view text) {
  PositionValues steps{};
  std::size_t pos = 0;
  for (std::int16_t& step : steps) {
    if (pos >= text.size()) return std::nullopt;
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    step = base::ToInt16(base::NumericValue(text.substr(pos, end - pos)));
    if (step < 1) step = 1;
    pos = end + 1;
  }
  return steps;
}

}  // namespace ostrel::engine
