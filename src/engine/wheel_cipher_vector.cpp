#include "engine/wheel_cipher_vector.h"

#include <immintrin.h>

#include <algorithm>
#include <array>

#include "engine/wheel_cipher_portable.h"

// Only the functions marked with this may use AVX-512; the rest of the
// program, inline library code included, stays runnable on any x86-64 CPU.
// A per-function attribute, unlike a target pragma, is honoured by both g++
// and clang.
#define WITH_AVX512 __attribute__((target("avx512f,avx512bw,avx512vbmi")))

namespace ostrel::engine {

namespace {

constexpr int kLanes = 64;
// Steps of one wheel order that run interleaved, so that the lookup chains of
// different steps overlap in the CPU.
constexpr std::size_t kGroup = 8;
// Fewer lanes than this are faster on the portable path.
constexpr std::uint64_t kMinLanes = 4;

using Vector = __m512i;

struct alignas(64) ByteLanes {
  std::array<std::uint8_t, kLanes> bytes;
};

// A 256-entry byte lookup: two 128-entry lookups, chosen by the top bit.
WITH_AVX512 inline Vector Lookup(const Wheel& wheel, Vector index) {
  const std::uint8_t* table = wheel.data();
  const Vector low = _mm512_permutex2var_epi8(_mm512_loadu_si512(table), index,
                                              _mm512_loadu_si512(table + 64));
  const Vector high = _mm512_permutex2var_epi8(_mm512_loadu_si512(table + 128), index,
                                               _mm512_loadu_si512(table + 192));
  return _mm512_mask_blend_epi8(_mm512_movepi8_mask(index), low, high);
}

// Swaps the row and column index of a 64 x 64 byte tile one bit at a time;
// the same call turns it back.
class TileTranspose {
 public:
  WITH_AVX512 TileTranspose() {
    for (std::size_t stage = 0; stage < kStages; ++stage) {
      const int bit = 1 << stage;
      for (int c = 0; c < kLanes; ++c) {
        const bool upper = (c & bit) != 0;
        low_[stage].bytes[static_cast<std::size_t>(c)] =
            static_cast<std::uint8_t>(upper ? kLanes + c - bit : c);
        high_[stage].bytes[static_cast<std::size_t>(c)] =
            static_cast<std::uint8_t>(upper ? kLanes + c : c + bit);
      }
    }
  }

  WITH_AVX512 void Apply(Vector* rows) const {
    for (std::size_t stage = 0; stage < kStages; ++stage) {
      const int bit = 1 << stage;
      const Vector low = _mm512_load_si512(low_[stage].bytes.data());
      const Vector high = _mm512_load_si512(high_[stage].bytes.data());
      for (int block = 0; block < kLanes; block += 2 * bit) {
        for (int r = block; r < block + bit; ++r) {
          const Vector a = rows[r];
          const Vector b = rows[r + bit];
          rows[r] = _mm512_permutex2var_epi8(a, low, b);
          rows[r + bit] = _mm512_permutex2var_epi8(a, high, b);
        }
      }
    }
  }

 private:
  static constexpr std::size_t kStages = 6;
  std::array<ByteLanes, kStages> low_{};
  std::array<ByteLanes, kStages> high_{};
};

// Runs lanes that stand whole cycles apart: at every step all lanes have the
// same wheel order and differ only by a fixed offset per wheel.
class LaneRunner {
 public:
  WITH_AVX512 LaneRunner(const WheelSchedule& schedule, Direction direction, std::uint64_t start,
             std::uint64_t laneLength, int laneCount)
      : schedule_(schedule), direction_(direction), laneLength_(laneLength), laneCount_(laneCount) {
    const WheelPhase phase = schedule.PhaseAt(start);
    period_ = phase.period;
    leftInPeriod_ = schedule.PeriodLength(period_) - phase.intoPeriod;
    const std::uint64_t cyclesPerLane = laneLength / schedule.CycleLength();
    for (int w = 0; w < kWheelCount; ++w) {
      auto& lanes = offsets_[static_cast<std::size_t>(w)].bytes;
      for (int lane = 0; lane < kLanes; ++lane) {
        const std::uint64_t cycles = (cyclesPerLane & 0xFFU) * static_cast<unsigned>(lane);
        lanes[static_cast<std::size_t>(lane)] = static_cast<std::uint8_t>(
            phase.offsets[static_cast<std::size_t>(w)] + (cycles & 0xFFU) * schedule.CycleTurn(w));
      }
    }
    for (int p = 0; p < kWheelCount; ++p) {
      for (std::size_t g = 0; g <= kGroup; ++g) {
        turnTimes_[static_cast<std::size_t>(p)][g].bytes.fill(
            static_cast<std::uint8_t>(schedule.Turn(p) * g));
      }
    }
  }

  WITH_AVX512 void Run(const std::uint8_t* in, std::uint8_t* out) {
    alignas(64) Vector tile[kLanes];
    for (std::uint64_t done = 0; done < laneLength_; done += kLanes) {
      const auto steps = static_cast<int>(std::min<std::uint64_t>(kLanes, laneLength_ - done));
      const __mmask64 rowMask = steps == kLanes ? ~__mmask64{0} : (__mmask64{1} << steps) - 1;
      for (int lane = 0; lane < kLanes; ++lane) {
        if (lane < laneCount_) {
          const std::uint8_t* row = in + static_cast<std::uint64_t>(lane) * laneLength_ + done;
          tile[lane] = _mm512_maskz_loadu_epi8(rowMask, row);
          _mm_prefetch(reinterpret_cast<const char*>(row + 2 * kLanes), _MM_HINT_T0);
        } else {
          tile[lane] = _mm512_setzero_si512();
        }
      }
      transpose_.Apply(tile);
      for (int step = 0; step < steps;) {
        const auto count = static_cast<std::size_t>(
            std::min<std::uint64_t>({kGroup, static_cast<std::uint64_t>(steps - step), leftInPeriod_}));
        RunGroup(tile + step, count);
        step += static_cast<int>(count);
        leftInPeriod_ -= static_cast<std::uint64_t>(count);
        if (leftInPeriod_ == 0) {
          period_ = (period_ + 1) % kPeriodCount;
          leftInPeriod_ = schedule_.PeriodLength(period_);
        }
      }
      transpose_.Apply(tile);
      for (int lane = 0; lane < laneCount_; ++lane) {
        _mm512_mask_storeu_epi8(out + static_cast<std::uint64_t>(lane) * laneLength_ + done,
                                rowMask, tile[lane]);
      }
    }
  }

 private:
  WITH_AVX512 void RunGroup(Vector* steps, std::size_t count) {
    if (direction_ == Direction::Encrypt) {
      RunGroupIn<Direction::Encrypt>(steps, count);
    } else {
      RunGroupIn<Direction::Decrypt>(steps, count);
    }
  }

  template <Direction direction>
  WITH_AVX512 void RunGroupIn(Vector* steps, std::size_t count) {
    switch (count) {
      case 1: return RunSteps<direction, 1>(steps);
      case 2: return RunSteps<direction, 2>(steps);
      case 3: return RunSteps<direction, 3>(steps);
      case 4: return RunSteps<direction, 4>(steps);
      case 5: return RunSteps<direction, 5>(steps);
      case 6: return RunSteps<direction, 6>(steps);
      case 7: return RunSteps<direction, 7>(steps);
      default: return RunSteps<direction, kGroup>(steps);
    }
  }

  // count consecutive steps of one wheel order; steps[g] holds one byte of
  // every lane.
  template <Direction direction, std::size_t count>
  WITH_AVX512 void RunSteps(Vector* steps) {
    // The offsets move on by the turn from step to step, so each lookup
    // chain needs only the offset before the group.
    const Wheel* tables[kWheelCount];
    std::uint8_t* wheelOffsets[kWheelCount];
    for (int p = 0; p < kWheelCount; ++p) {
      const int w = WheelSchedule::WheelAt(p, period_);
      tables[p] = direction == Direction::Encrypt ? &schedule_.Forward(w) : &schedule_.Inverse(w);
      wheelOffsets[p] = offsets_[static_cast<std::size_t>(w)].bytes.data();
    }
    Vector bytes[count];
#pragma GCC unroll 8
    for (std::size_t g = 0; g < count; ++g) bytes[g] = steps[g];
    const int passes = schedule_.PassCount();
    for (int pass = 0; pass < passes; ++pass) {
      if constexpr (direction == Direction::Encrypt) {
        for (int p = 0; p < kWheelCount; ++p) {
          const Vector turn = _mm512_load_si512(turnTimes_[static_cast<std::size_t>(p)][1].bytes.data());
          Vector offset = _mm512_load_si512(wheelOffsets[p]);
#pragma GCC unroll 8
          for (std::size_t g = 0; g < count; ++g) {
            bytes[g] = Lookup(*tables[p], _mm512_add_epi8(bytes[g], offset));
            offset = _mm512_add_epi8(offset, turn);
          }
        }
      } else {
        for (int p = kWheelCount - 1; p >= 0; --p) {
          const Vector turn = _mm512_load_si512(turnTimes_[static_cast<std::size_t>(p)][1].bytes.data());
          Vector offset = _mm512_load_si512(wheelOffsets[p]);
#pragma GCC unroll 8
          for (std::size_t g = 0; g < count; ++g) {
            bytes[g] = _mm512_sub_epi8(Lookup(*tables[p], bytes[g]), offset);
            offset = _mm512_add_epi8(offset, turn);
          }
        }
      }
    }
#pragma GCC unroll 8
    for (std::size_t g = 0; g < count; ++g) steps[g] = bytes[g];
    // Every wheel has turned count times by the turn of its position.
    for (int p = 0; p < kWheelCount; ++p) {
      const Vector turned = _mm512_load_si512(turnTimes_[static_cast<std::size_t>(p)][count].bytes.data());
      _mm512_store_si512(wheelOffsets[p], _mm512_add_epi8(_mm512_load_si512(wheelOffsets[p]), turned));
    }
  }

  const WheelSchedule& schedule_;
  Direction direction_;
  std::uint64_t laneLength_;
  int laneCount_;
  int period_ = 0;
  std::uint64_t leftInPeriod_ = 0;
  TileTranspose transpose_;
  // Per physical wheel, its offset in each lane before the next step.
  std::array<ByteLanes, kWheelCount> offsets_{};
  // Per position, g times its turn in every byte.
  std::array<std::array<ByteLanes, kGroup + 1>, kWheelCount> turnTimes_{};
};

}  // namespace

WITH_AVX512 void TransformVector(const WheelSchedule& schedule, Direction direction, std::uint64_t start,
                                 const std::uint8_t* in, std::uint8_t* out, std::size_t size) {
  const std::uint64_t cycle = schedule.CycleLength();
  std::uint64_t done = 0;
  // As many whole cycles per lane as fill all 64 lanes, then one cycle per
  // lane for what is left, then the portable path for less than a cycle.
  const std::uint64_t cyclesPerLane = size / (cycle * kLanes);
  if (cyclesPerLane > 0) {
    LaneRunner(schedule, direction, start, cyclesPerLane * cycle, kLanes).Run(in, out);
    done = cyclesPerLane * cycle * kLanes;
  }
  const std::uint64_t lanes = (size - done) / cycle;
  if (lanes >= kMinLanes) {
    LaneRunner(schedule, direction, start + done, cycle, static_cast<int>(lanes)).Run(in + done, out + done);
    done += lanes * cycle;
  }
  TransformPortable(schedule, direction, start + done, in + done, out + done, size - done);
}

bool VectorKernelAvailable() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
         __builtin_cpu_supports("avx512vbmi");
}

#undef WITH_AVX512

}  // namespace ostrel::engine
