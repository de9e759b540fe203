#pragma once
// The per-position wheel settings and the derived numbers that a key
// sequence gives.

#include <array>
#include <cstdint>
#include <string>

#include "engine/engine.h"

namespace ostrel::engine {

struct WheelSettings {
  PositionValues directionFlags{};  // 1 turns left ("U"), 0 turns right ("D")
  PositionValues settingValues{};   // 2..7
  PositionValues steps{};           // 2..7
  std::array<std::int16_t, 10> derivedK5{};  // 8..14 or 20..22
  std::array<std::int16_t, 10> derivedK6{};
  std::string periodSeed;
};

// The first decimal digit of the entry written without sign: 145 gives 1.
std::int16_t DigitValue(std::int16_t entry);

WheelSettings DeriveSettings(const KeySequence& sequence);

}  // namespace ostrel::engine
