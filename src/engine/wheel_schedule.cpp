#include "engine/wheel_schedule.h"

#include <algorithm>

namespace ostrel::engine {

namespace {

std::uint8_t Low8(unsigned value) { return static_cast<std::uint8_t>(value & 0xFFU); }

// Offsets only matter mod 256, so a count multiplies a turn mod 256.
std::uint8_t Times(std::uint64_t count, std::uint8_t turn) {
  return Low8(static_cast<unsigned>(count & 0xFFU) * turn);
}

}  // namespace

WheelSchedule::WheelSchedule(const WheelMachine& machine)
    : forward_(machine.wheels), passCount_(std::max<std::int32_t>(machine.passCount, 1)) {
  for (std::size_t w = 0; w < kWheelCount; ++w) {
    for (std::size_t i = 0; i < kWheelLength; ++i) {
      inverse_[w][forward_[w][i]] = static_cast<std::uint8_t>(i);
    }
    for (std::size_t i = 0; i < kRepeats * kWheelLength; ++i) {
      repeatedForward_[w][i] = forward_[w][i % kWheelLength];
      repeatedInverse_[w][i] = inverse_[w][i % kWheelLength];
    }
  }
  for (std::size_t p = 0; p < kWheelCount; ++p) {
    // A step is taken mod 256 like a turn of the 256-code wheel; a left turn
    // moves index i to i - step, which adds the step to the offset.
    const auto step = static_cast<std::uint8_t>(static_cast<std::uint16_t>(machine.steps[p]));
    turns_[p] = machine.directionFlags[p] == 1 ? step : static_cast<std::uint8_t>(-step);
  }
  for (int k = 0; k < kPeriodCount; ++k) {
    const auto entry = std::max<std::int32_t>(machine.periodTable[Index(k) + 1], 1);
    const auto length = static_cast<std::uint64_t>(entry);
    periodStarts_[Index(k) + 1] = periodStarts_[Index(k)] + length;
    for (int w = 0; w < kWheelCount; ++w) {
      const int position = (w - k % kWheelCount + kWheelCount) % kWheelCount;
      prefixTurns_[Index(k) + 1][Index(w)] =
          Low8(0U + prefixTurns_[Index(k)][Index(w)] + Times(length, turns_[Index(position)]));
    }
  }
}

WheelPhase WheelSchedule::PhaseAt(std::uint64_t position) const {
  const std::uint64_t cycles = position / CycleLength();
  const std::uint64_t inCycle = position % CycleLength();
  const auto next = std::upper_bound(periodStarts_.begin(), periodStarts_.end(), inCycle);
  WheelPhase phase;
  phase.period = static_cast<int>(next - periodStarts_.begin()) - 1;
  phase.intoPeriod = inCycle - periodStarts_[Index(phase.period)];
  for (int w = 0; w < kWheelCount; ++w) {
    const int heldAt = (w - phase.period % kWheelCount + kWheelCount) % kWheelCount;
    phase.offsets[Index(w)] = Low8(0U + Times(cycles, CycleTurn(w)) +
                                   prefixTurns_[Index(phase.period)][Index(w)] +
                                   Times(phase.intoPeriod, turns_[Index(heldAt)]));
  }
  return phase;
}

}  // namespace ostrel::engine
