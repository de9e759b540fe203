#pragma once
// The turning and reordering of a wheel machine, worked out in advance.
//
// Each physical wheel keeps its contents fixed and only an offset tracks its
// turning: the wheel's current code at index i is its first code at index
// (i + offset) mod 256. The position holding a wheel adds its turn (the step,
// negated for a right turn) to that offset after every byte. After k order
// changes position p holds wheel (p + k) mod 20, and since 200 changes bring
// the wheels back to their first places, every full run through the period
// table (one cycle) adds the same amount to each wheel's offset. So the state
// at any stream position follows directly from the position.

#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/wheel_machine.h"

namespace ostrel::engine {

// Where the machine stands before the byte at some stream position.
struct WheelPhase {
  int period = 0;                  // 0..199: entry period + 1 of the period table runs
  std::uint64_t intoPeriod = 0;    // bytes already done in that period
  std::array<std::uint8_t, kWheelCount> offsets{};  // by physical wheel
};

class WheelSchedule {
 public:
  explicit WheelSchedule(const WheelMachine& machine);

  WheelPhase PhaseAt(std::uint64_t position) const;

  // Physical wheel w is the wheel at position w + 1 before the first byte.
  const Wheel& Forward(int wheel) const { return forward_[Index(wheel)]; }
  const Wheel& Inverse(int wheel) const { return inverse_[Index(wheel)]; }
  // The same wheels written kRepeats times in a row, so that a code plus a
  // sum of offsets indexes them without wrapping.
  static constexpr std::size_t kRepeats = 5;
  const std::uint8_t* RepeatedForward(int wheel) const { return repeatedForward_[Index(wheel)].data(); }
  const std::uint8_t* RepeatedInverse(int wheel) const { return repeatedInverse_[Index(wheel)].data(); }

  // The physical wheel at 0-based position p during period k.
  static int WheelAt(int position, int period) { return (position + period) % kWheelCount; }

  // What position p adds to the offset of its wheel after each byte.
  std::uint8_t Turn(int position) const { return turns_[Index(position)]; }

  // Bytes in period k (0..199); entries below 1 count as 1, since the order
  // then changes after every byte.
  std::uint64_t PeriodLength(int period) const {
    return periodStarts_[Index(period) + 1] - periodStarts_[Index(period)];
  }

  // Bytes in one run through the whole period table.
  std::uint64_t CycleLength() const { return periodStarts_[kPeriodCount]; }

  // What one cycle adds to wheel w's offset.
  std::uint8_t CycleTurn(int wheel) const { return prefixTurns_[kPeriodCount][Index(wheel)]; }

  // Passes through the 20 wheels per byte; at least 1.
  int PassCount() const { return passCount_; }

 private:
  static std::size_t Index(int i) { return static_cast<std::size_t>(i); }

  std::array<Wheel, kWheelCount> forward_{};
  std::array<Wheel, kWheelCount> inverse_{};
  std::array<std::array<std::uint8_t, kRepeats * kWheelLength>, kWheelCount> repeatedForward_{};
  std::array<std::array<std::uint8_t, kRepeats * kWheelLength>, kWheelCount> repeatedInverse_{};
  std::array<std::uint8_t, kWheelCount> turns_{};
  // Stream offset of the first byte of period k within a cycle; entry 200 is
  // the cycle length.
  std::array<std::uint64_t, kPeriodCount + 1> periodStarts_{};
  // Offsets of the wheels at the start of period k within a cycle.
  std::array<std::array<std::uint8_t, kWheelCount>, kPeriodCount + 1> prefixTurns_{};
  int passCount_ = 1;
};

}  // namespace ostrel::engine
