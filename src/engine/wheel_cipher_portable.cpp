#include "engine/wheel_cipher_portable.h"

#include <algorithm>
#include <array>

namespace ostrel::engine {

namespace {

// Bytes of one period share one wheel order, so they run position by
// position: the lookups of different bytes do not wait on each other.
constexpr std::size_t kRun = 64;

void EncryptRun(const WheelSchedule& schedule, int period, const WheelPhase& phase,
                std::uint8_t* bytes, std::size_t count) {
  for (int pass = 0; pass < schedule.PassCount(); ++pass) {
    for (int p = 0; p < kWheelCount; ++p) {
      const int w = WheelSchedule::WheelAt(p, period);
      const std::uint8_t* wheel = schedule.Forward(w).data();
      const std::uint8_t turn = schedule.Turn(p);
      std::uint8_t offset = phase.offsets[static_cast<std::size_t>(w)];
      for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = wheel[static_cast<std::uint8_t>(bytes[i] + offset)];
        offset = static_cast<std::uint8_t>(offset + turn);
      }
    }
  }
}

void DecryptRun(const WheelSchedule& schedule, int period, const WheelPhase& phase,
                std::uint8_t* bytes, std::size_t count) {
  for (int pass = 0; pass < schedule.PassCount(); ++pass) {
    for (int p = kWheelCount - 1; p >= 0; --p) {
      const int w = WheelSchedule::WheelAt(p, period);
      const std::uint8_t* inverse = schedule.Inverse(w).data();
      const std::uint8_t turn = schedule.Turn(p);
      std::uint8_t offset = phase.offsets[static_cast<std::size_t>(w)];
      for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<std::uint8_t>(inverse[bytes[i]] - offset);
        offset = static_cast<std::uint8_t>(offset + turn);
      }
    }
  }
}

}  // namespace

void TransformPortable(const WheelSchedule& schedule, Direction direction, std::uint64_t start,
                       const std::uint8_t* in, std::uint8_t* out, std::size_t size) {
  if (size == 0) return;
  WheelPhase phase = schedule.PhaseAt(start);
  std::uint64_t leftInPeriod = schedule.PeriodLength(phase.period) - phase.intoPeriod;
  std::size_t done = 0;
  while (done < size) {
    const auto count = static_cast<std::size_t>(
        std::min<std::uint64_t>({leftInPeriod, size - done, kRun}));
    std::array<std::uint8_t, kRun> run;
    std::copy_n(in + done, count, run.begin());
    if (direction == Direction::Encrypt) {
      EncryptRun(schedule, phase.period, phase, run.data(), count);
    } else {
      DecryptRun(schedule, phase.period, phase, run.data(), count);
    }
    std::copy_n(run.begin(), count, out + done);
    for (int p = 0; p < kWheelCount; ++p) {
      auto& offset = phase.offsets[static_cast<std::size_t>(WheelSchedule::WheelAt(p, phase.period))];
      offset = static_cast<std::uint8_t>(offset + (count & 0xFF) * schedule.Turn(p));
    }
    done += count;
    leftInPeriod -= count;
    if (leftInPeriod == 0) {
      phase.period = (phase.period + 1) % kPeriodCount;
      leftInPeriod = schedule.PeriodLength(phase.period);
    }
  }
}

}  // namespace ostrel::engine
