#pragma once
// The wheel machine that every cipher operation runs: the 20 wheels by
// position, the per-position turning settings, the pass count and the order
// period table. A cipher operation reads it from the work files and the
// in-memory period table at its start.

#include <array>
#include <cstdint>

namespace ostrel::engine {

inline constexpr int kWheelCount = 20;
inline constexpr int kWheelLength = 256;
inline constexpr int kPeriodCount = 200;

using Wheel = std::array<std::uint8_t, kWheelLength>;

enum class Direction { Encrypt, Decrypt };

struct WheelMachine {
  // Wheels at positions 1..20 (index 0..19) before the first byte.
  std::array<Wheel, kWheelCount> wheels{};
  // Per position: 1 turns the wheel there left by its step after each byte
  // (index i moves to i - step), 0 turns it right.
  std::array<std::uint8_t, kWheelCount> directionFlags{};
  // Per position: how far the wheel there turns after each byte, at least 1.
  std::array<std::int16_t, kWheelCount> steps{};
  // How many times each byte goes through all 20 wheels, at least 1.
  std::int32_t passCount = 2;
  // Entries 1..200: the successive order periods, each at least 1. After
  // entry k's number of bytes the wheels shift down one position.
  std::array<std::int32_t, kPeriodCount + 1> periodTable{};
};

}  // namespace ostrel::engine
