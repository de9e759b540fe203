#include "engine/wheel_cipher_portable.h"

#include <algorithm>
#include <array>

namespace ostrel::engine {

namespace {

// Bytes that run side by side through the same wheel order; their lookups
// do not wait on each other, so the CPU overlaps them.
constexpr std::size_t kGroup = 8;
// Bytes of a group read through one walking pointer before its offset is
// wrapped again; the repeated wheels leave room for a code plus a wrapped
// offset plus three more turns.
constexpr std::size_t kRun = 4;
constexpr std::size_t kLastRepeat = (WheelSchedule::kRepeats - 1) * kWheelLength;

// Kept as 32-bit values: with 64-bit ones g++ 12 builds a slower inner loop.
using Offsets = std::array<unsigned, kWheelCount>;

// The 20 lookups of one pass in the order they run, for one wheel order.
struct PassPlan {
  std::array<const std::uint8_t*, kWheelCount> tables{};
  std::array<int, kWheelCount> wheels{};
  std::array<unsigned, kWheelCount> turns{};
};

PassPlan PlanPass(const WheelSchedule& schedule, Direction direction, int period) {
  PassPlan plan;
  for (int k = 0; k < kWheelCount; ++k) {
    // Decryption undoes the positions from the last to the first.
    const int p = direction == Direction::Encrypt ? k : kWheelCount - 1 - k;
    const int w = WheelSchedule::WheelAt(p, period);
    const auto slot = static_cast<std::size_t>(k);
    plan.tables[slot] = direction == Direction::Encrypt ? schedule.RepeatedForward(w)
                                                        : schedule.RepeatedInverse(w) + kLastRepeat;
    plan.wheels[slot] = w;
    plan.turns[slot] = schedule.Turn(p);
  }
  return plan;
}

// Encryption: code' = wheel[(code + offset) mod 256], and byte g of the
// group sees the wheel turned g more times. So the group reads through a
// pointer that starts at the repeated wheel plus the offset and walks on by
// the turn from byte to byte: one load and one add per lookup.
template <std::size_t count>
void EncryptGroup(const PassPlan& plan, const Offsets& offsets, int passes, const std::uint8_t* in,
                  std::uint8_t* out) {
  std::array<std::size_t, count> codes;
  for (std::size_t g = 0; g < count; ++g) codes[g] = in[g];
  for (int pass = 0; pass < passes; ++pass) {
    for (std::size_t k = 0; k < kWheelCount; ++k) {
      const std::size_t turn = plan.turns[k];
      const std::size_t offset = offsets[k];
      const std::uint8_t* first = plan.tables[k] + offset;
      const std::uint8_t* second = plan.tables[k] + ((offset + kRun * turn) & 0xFF);
#pragma GCC unroll 8
      for (std::size_t g = 0; g < count; ++g) {
        const std::uint8_t*& at = g < kRun ? first : second;
        codes[g] = at[codes[g]];
        at += turn;
      }
    }
  }
  for (std::size_t g = 0; g < count; ++g) out[g] = static_cast<std::uint8_t>(codes[g]);
}

// Decryption: code' = (inverse[code] - offset) mod 256. The subtraction is
// left to the next lookup, whose pointer starts that much lower in the last
// repeat of its wheel; only the final codes are wrapped.
template <std::size_t count>
void DecryptGroup(const PassPlan& plan, const Offsets& offsets, int passes, const std::uint8_t* in,
                  std::uint8_t* out) {
  std::array<std::size_t, count> codes;
  for (std::size_t g = 0; g < count; ++g) codes[g] = in[g];
  std::size_t offset = 0;  // of the lookup before; the first has none
  std::size_t turn = 0;
  for (int pass = 0; pass < passes; ++pass) {
    for (std::size_t k = 0; k < kWheelCount; ++k) {
      const std::uint8_t* first = plan.tables[k] - offset;
      const std::uint8_t* second = plan.tables[k] - ((offset + kRun * turn) & 0xFF);
#pragma GCC unroll 8
      for (std::size_t g = 0; g < count; ++g) {
        const std::uint8_t*& at = g < kRun ? first : second;
        codes[g] = at[codes[g]];
        at -= turn;
      }
      offset = offsets[k];
      turn = plan.turns[k];
    }
  }
  for (std::size_t g = 0; g < count; ++g) out[g] = static_cast<std::uint8_t>(codes[g] - offset - g * turn);
}

template <std::size_t count>
void RunGroup(const PassPlan& plan, Direction direction, Offsets& offsets, int passes, const std::uint8_t* in,
              std::uint8_t* out) {
  if (direction == Direction::Encrypt) {
    EncryptGroup<count>(plan, offsets, passes, in, out);
  } else {
    DecryptGroup<count>(plan, offsets, passes, in, out);
  }
  for (std::size_t k = 0; k < kWheelCount; ++k) {
    offsets[k] = (offsets[k] + static_cast<unsigned>(count) * plan.turns[k]) & 0xFFU;
  }
}

void RunBytes(const PassPlan& plan, Direction direction, Offsets& offsets, int passes, const std::uint8_t* in,
              std::uint8_t* out, std::size_t count) {
  switch (count) {
    case 1: return RunGroup<1>(plan, direction, offsets, passes, in, out);
    case 2: return RunGroup<2>(plan, direction, offsets, passes, in, out);
    case 3: return RunGroup<3>(plan, direction, offsets, passes, in, out);
    case 4: return RunGroup<4>(plan, direction, offsets, passes, in, out);
    case 5: return RunGroup<5>(plan, direction, offsets, passes, in, out);
    case 6: return RunGroup<6>(plan, direction, offsets, passes, in, out);
    case 7: return RunGroup<7>(plan, direction, offsets, passes, in, out);
    default: return RunGroup<kGroup>(plan, direction, offsets, passes, in, out);
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
    // One period at a time: its bytes all see the same wheel order.
    const PassPlan plan = PlanPass(schedule, direction, phase.period);
    Offsets offsets{};
    for (std::size_t k = 0; k < kWheelCount; ++k) {
      offsets[k] = phase.offsets[static_cast<std::size_t>(plan.wheels[k])];
    }
    const auto inPeriod = static_cast<std::size_t>(std::min<std::uint64_t>(leftInPeriod, size - done));
    for (std::size_t from = 0; from < inPeriod; from += kGroup) {
      RunBytes(plan, direction, offsets, schedule.PassCount(), in + done + from, out + done + from,
               std::min(kGroup, inPeriod - from));
    }
    for (std::size_t k = 0; k < kWheelCount; ++k) {
      phase.offsets[static_cast<std::size_t>(plan.wheels[k])] = static_cast<std::uint8_t>(offsets[k]);
    }
    done += inPeriod;
    leftInPeriod -= inPeriod;
    if (leftInPeriod == 0) {
      phase.period = (phase.period + 1) % kPeriodCount;
      leftInPeriod = schedule.PeriodLength(phase.period);
    }
  }
}

}  // namespace ostrel::engine
