#pragma once
// The order periods: after how many bytes the wheels change places, 200
// entries grown from a three-digit seed.

#include <array>
#include <cstddef>
#include <string>

#include "engine/engine.h"

namespace ostrel::engine {

inline constexpr std::size_t kPeriodPassCount = 13;

// What each of the thirteen growing passes did: the filled length when it
// started and how many entries it appended. The same for every seed.
struct PeriodPassTrace {
  std::array<std::int32_t, kPeriodPassCount> startLength{};
  std::array<std::int32_t, kPeriodPassCount> added{};
};

// seed: three decimal digits. trace, when given, receives the passes' counts.
PeriodTable MakePeriodTable(const std::string& seed, PeriodPassTrace* trace = nullptr);

// The seed a key sequence gives: entries 20 and 21 multiplied, brought into
// 10..999, written with three digits.
std::string PeriodSeed(const KeySequence& sequence);

}  // namespace ostrel::engine
