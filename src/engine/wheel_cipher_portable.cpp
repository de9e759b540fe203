#include "engine/wheel_cipher_portable.h"

#include <algorithm>
#include <array>

namespace ostrel::engine {

namespace {

// Bytes that run side by side through the same wheel order; their lookups
// do not wait on each other, so the CPU overlaps them.
constexpr std::size_t kGroup = 8;
constexpr unsigned kLength = kWheelLength;
constexpr std::size_t kUnwrapped = WheelSchedule::kRepeats - 1;

// The 20 lookups of one pass in the order they run, for one wheel order.
struct PassPlan {
  std::array<const std::uint8_t*, kWheelCount> tables{};  // repeated wheels
  std::array<std::uint8_t*, kWheelCount> offsets{};       // the wheel's offset before the group
  std::array<std::uint8_t, kWheelCount> turns{};
};

PassPlan PlanPass(const WheelSchedule& schedule, Direction direction, int period,
                  WheelPhase& phase) {
  PassPlan plan;
  for (int k = 0; k < kWheelCount; ++k) {
    // Decryption undoes the positions from the last to the first.
    const int p = direction == Direction::Encrypt ? k : kWheelCount - 1 - k;
    const int w = WheelSchedule::WheelAt(p, period);
    const auto slot = static_cast<std::size_t>(k);
    plan.tables[slot] = direction == Direction::Encrypt ? schedule.RepeatedForward(w)
                                                        : schedule.RepeatedInverse(w);
    plan.offsets[slot] = &phase.offsets[static_cast<std::size_t>(w)];
    plan.turns[slot] = schedule.Turn(p);
  }
  return plan;
}

// Encryption: code' = wheel[(code + offset) mod 256]; the repeated wheel
// takes code + offset without wrapping. Decryption: code' = (inverse[code] -
// offset) mod 256; the subtraction may go below 0, so the next lookup reads
// from the last repeat of its wheel, and only the final code is wrapped.
// Offsets move on by the turn from byte to byte, apart from the lookups, and
// are wrapped only every kUnwrapped bytes: until then they stay below
// kUnwrapped * 256, which the repeats leave room for.
template <Direction direction, std::size_t count>
void RunGroup(const PassPlan& plan, int passes, const std::uint8_t* in, std::uint8_t* out) {
  std::array<std::int64_t, count> codes;
  for (std::size_t g = 0; g < count; ++g) codes[g] = in[g];
  for (int pass = 0; pass < passes; ++pass) {
    for (std::size_t k = 0; k < kWheelCount; ++k) {
      const std::uint8_t* table = plan.tables[k];
      const unsigned turn = plan.turns[k];
      unsigned offset = *plan.offsets[k];
      if constexpr (direction == Direction::Encrypt) {
#pragma GCC unroll 8
        for (std::size_t g = 0; g < count; ++g) {
          codes[g] = table[codes[g] + offset];
          offset += turn;
          if (g % kUnwrapped == kUnwrapped - 1) offset &= 0xFFU;
        }
      } else {
        const std::uint8_t* last = table + kUnwrapped * kLength;
#pragma GCC unroll 8
        for (std::size_t g = 0; g < count; ++g) {
          codes[g] = last[codes[g]] - std::int64_t{offset};
          offset += turn;
          if (g % kUnwrapped == kUnwrapped - 1) offset &= 0xFFU;
        }
      }
    }
  }
  for (std::size_t g = 0; g < count; ++g) out[g] = static_cast<std::uint8_t>(codes[g] & 0xFF);
  for (std::size_t k = 0; k < kWheelCount; ++k) {
    *plan.offsets[k] = static_cast<std::uint8_t>(*plan.offsets[k] + count * plan.turns[k]);
  }
}

template <Direction direction>
void RunBytes(const PassPlan& plan, int passes, const std::uint8_t* in, std::uint8_t* out,
              std::size_t count) {
  switch (count) {
    case 1: return RunGroup<direction, 1>(plan, passes, in, out);
    case 2: return RunGroup<direction, 2>(plan, passes, in, out);
    case 3: return RunGroup<direction, 3>(plan, passes, in, out);
    case 4: return RunGroup<direction, 4>(plan, passes, in, out);
    case 5: return RunGroup<direction, 5>(plan, passes, in, out);
    case 6: return RunGroup<direction, 6>(plan, passes, in, out);
    case 7: return RunGroup<direction, 7>(plan, passes, in, out);
    default: return RunGroup<direction, kGroup>(plan, passes, in, out);
  }
}

void RunPeriod(const PassPlan& plan, Direction direction, int passes, const std::uint8_t* in,
               std::uint8_t* out, std::size_t count) {
  for (std::size_t from = 0; from < count; from += kGroup) {
    const std::size_t group = std::min(kGroup, count - from);
    if (direction == Direction::Encrypt) {
      RunBytes<Direction::Encrypt>(plan, passes, in + from, out + from, group);
    } else {
      RunBytes<Direction::Decrypt>(plan, passes, in + from, out + from, group);
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
    // One period at a time: its bytes all see the same wheel order.
    const PassPlan plan = PlanPass(schedule, direction, phase.period, phase);
    const auto inPeriod = static_cast<std::size_t>(std::min<std::uint64_t>(leftInPeriod, size - done));
    RunPeriod(plan, direction, schedule.PassCount(), in + done, out + done, inPeriod);
    done += inPeriod;
    leftInPeriod -= inPeriod;
    if (leftInPeriod == 0) {
      phase.period = (phase.period + 1) % kPeriodCount;
      leftInPeriod = schedule.PeriodLength(phase.period);
    }
  }
}

}  // namespace ostrel::engine
