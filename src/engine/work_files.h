#pragma once
// Names and byte layouts of the engine's work files, written and read back
// exactly as every installation has always stored them.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "engine/engine.h"

namespace ostrel::engine {

inline constexpr const char* kWheelFile = "k1.bin";          // wheels as generated
inline constexpr const char* kPristineWheelFile = "k1.brs";  // wheels every operation starts from
inline constexpr const char* kWorkingWheelFile = "k1.bcr";   // wheels as a run leaves them
inline constexpr const char* kCountsFile = "k2.bin";         // wheel count, pass count
inline constexpr const char* kSettingsFile = "k3.bin";       // direction letters, setting values
inline constexpr const char* kStepsFile = "k4.bin";          // steps of positions 1..20
inline constexpr const char* kDerivedFile = "k5.bin";
inline constexpr const char* kSecondDerivedFile = "k6.dat";
inline constexpr const char* kDecryptedListFile = "Ostdec.dat";

inline constexpr std::size_t kWheelRecordsSize = std::size_t{kWheelCount} * kWheelLength;
inline constexpr std::size_t kSettingsRecordLength = 100;
inline constexpr std::size_t kDecryptedRecordLength = 80;

// Used while "k3.bin" or "k4.bin" is empty or missing.
inline constexpr PositionValues kDefaultDirectionFlags = {0, 1, 1, 0, 1, 0, 0, 1, 1, 1,
                                                          0, 0, 1, 1, 0, 0, 1, 0, 1, 0};
inline constexpr PositionValues kDefaultSettingValues = {2, 2, 5, 3, 4, 7, 3, 2, 2, 2,
                                                         2, 2, 2, 2, 2, 2, 2, 2, 2, 2};

// Records 1..20 of 256 bytes, record j the wheel of position j.
std::string WheelRecords(const std::array<Wheel, kWheelCount>& wheels);
// Nothing when the bytes hold fewer than 20 records or a record is not a
// permutation of the 256 codes.
std::optional<std::array<Wheel, kWheelCount>> ParseWheelRecords(std::string_view bytes);

// " 20  2 " CR LF.
std::string CountsLine(std::int16_t wheelCount, std::int32_t passCount);
struct Counts {
  std::int16_t wheelCount = 0;
  std::int32_t passCount = 0;
};
// The first two blank-separated numbers; nothing when there are fewer.
std::optional<Counts> ParseCounts(std::string_view text);

// Letters "U"/"D" then the values as little-endian single-precision numbers.
std::string SettingsRecord(const PositionValues& directionFlags, const PositionValues& settingValues);
struct SettingsRead {
  PositionValues directionFlags{};
  PositionValues settingValues{};
};
// Record 1; nothing when the bytes are shorter than one record.
std::optional<SettingsRead> ParseSettingsRecord(std::string_view bytes);

// One number a line, a blank before and after it, lines ended by CR LF.
std::string NumberLines(std::span<const std::int16_t> values);
// Steps from the first 20 lines, each at least 1; nothing when there are
// fewer than 20 lines.
std::optional<PositionValues> ParseSteps(std::string_view text);

}  // namespace ostrel::engine
