#include "engine/wheel_settings.h"

#include <cstdlib>

#include "engine/period_table.h"

namespace ostrel::engine {
namespace {

std::int16_t InRange(std::int16_t value, std::int16_t highest, std::int16_t fold) {
  return value > highest ? static_cast<std::int16_t>(value - fold) : value;
}

}  // namespace

std::int16_t DigitValue(std::int16_t entry) {
  const std::string digits = std::to_string(std::abs(std::int32_t{entry}));
  return static_cast<std::int16_t>(digits.front() - '0');
}

WheelSettings DeriveSettings(const KeySequence& sequence) {
  auto entry = [&sequence](int q) { return sequence.at(static_cast<std::size_t>(q)); };
  auto plus = [&entry](int q, int add) { return static_cast<std::int16_t>(DigitValue(entry(q)) + add); };

  WheelSettings settings;
  for (std::size_t j = 0; j < kWheelCount; ++j) {
    const int offset = static_cast<int>(j);
    settings.directionFlags[j] = entry(20 + offset) > 45 ? 1 : 0;
    settings.settingValues[j] = InRange(plus(40 + offset, 1), 7, 5);
    settings.steps[j] = InRange(plus(60 + offset, 1), 7, 5);
  }
  for (std::size_t j = 0; j < settings.derivedK5.size(); ++j) {
    const int offset = static_cast<int>(j);
    settings.derivedK5[j] = InRange(plus(80 + offset, 20), 22, 15);
    settings.derivedK6[j] = InRange(plus(90 + offset, 20), 22, 15);
  }
  settings.periodSeed = PeriodSeed(sequence);
  return settings;
}

}  // namespace ostrel::engine
