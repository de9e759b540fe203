#include "engine/period_table.h"

#include <array>

namespace ostrel::engine {
namespace {

inline constexpr std::size_t kPeriodPassCount = 13;

// What each of the thirteen growing passes did: the filled length when it
// started and how many entries it appended. The same for every seed.
struct PeriodPassTrace {
  std::array<std::int32_t, kPeriodPassCount> startLength{};
  std::array<std::int32_t, kPeriodPassCount> added{};
};

// One growing pass: i runs from first to last by step (negative: downward),
// and each i appends T(i) + delta. kStartLength stands for the filled length
// when the pass starts; the first two passes keep to the ten seeded entries
// although the table has grown past them.
inline constexpr std::int32_t kStartLength = -1;

struct Pass {
  std::int32_t first;
  std::int32_t last;
  std::int32_t step;
  std::int32_t delta;
};

inline constexpr std::int32_t kSeededLength = 10;

inline constexpr std::array<Pass, kPeriodPassCount> kPasses{{
    {1, 10, 2, 2},
    {2, 10, 2, 3},
    {kStartLength, 1, -3, 7},
    {1, kStartLength, 3, 9},
    {1, kStartLength, 5, 13},
    {kStartLength, 1, -5, 17},
    {1, kStartLength, 7, 4},
    {kStartLength, 1, -7, 6},
    {2, kStartLength, 8, 1},
    {kStartLength, 2, -8, 2},
    {5, kStartLength, 5, 3},
    {kStartLength, 5, -5, 2},
    {kStartLength, 1, -1, 1},  // stops once entry 200 is written
}};

constexpr std::int32_t Resolve(std::int32_t bound, std::int32_t startLength) {
  return bound == kStartLength ? startLength : bound;
}

// Runs the passes over the filled length alone, calling append(i, delta) for
// every entry added; returns what each pass did.
template <typename Append>
constexpr PeriodPassTrace RunPasses(Append append) {
  PeriodPassTrace trace;
  std::int32_t length = kSeededLength;
  for (std::size_t p = 0; p < kPasses.size(); ++p) {
    const Pass& pass = kPasses[p];
    const std::int32_t start = length;
    const std::int32_t first = Resolve(pass.first, start);
    const std::int32_t last = Resolve(pass.last, start);
    trace.startLength[p] = start;
    for (std::int32_t i = first; pass.step > 0 ? i <= last : i >= last; i += pass.step) {
      if (length == kPeriodCount) break;
      ++length;
      append(length, i, pass.delta);
      ++trace.added[p];
    }
  }
  return trace;
}

// The counts every seed gives; a changed pass bound fails the build here.
constexpr PeriodPassTrace kExpectedPasses = RunPasses([](std::int32_t, std::int32_t, std::int32_t) {});
static_assert(kExpectedPasses.added ==
              std::array<std::int32_t, kPeriodPassCount>{5, 5, 7, 9, 8, 9, 8, 9, 9, 10, 17, 21, 73});
static_assert(kExpectedPasses.startLength[12] == 127);

std::int32_t SeedDigit(char c) {
  const std::int32_t digit = c - '0';
  return digit == 0 ? 10 : digit;
}

}  // namespace

PeriodTable MakePeriodTable(const std::string& seed) {
  PeriodTable t{};
  const auto at = [&t](std::int32_t i) -> std::int32_t& { return t[static_cast<std::size_t>(i)]; };
  at(1) = SeedDigit(seed.at(0));
  at(2) = SeedDigit(seed.at(1));
  at(3) = SeedDigit(seed.at(2));
  at(4) = at(1) + at(2) + at(3);
  at(5) = at(1) + at(2) + 2;
  at(6) = at(2) + at(3) + 3;
  at(7) = at(1) + at(3) + 4;
  at(8) = at(1) + 5;
  at(9) = at(2) + 5;
  at(10) = at(3) + 5;

  RunPasses([&at](std::int32_t n, std::int32_t i, std::int32_t delta) { at(n) = at(i) + delta; });

  for (std::int32_t i = 1; i <= kPeriodCount; ++i) {
    if (at(i) < 10) at(i) += 10;
    if (at(i) > 50) at(i) -= 20;
  }
  return t;
}

std::string PeriodSeed(const KeySequence& sequence) {
  std::int32_t x = std::int32_t{sequence.at(20)} * std::int32_t{sequence.at(21)};
  while (x > 999) x -= 999;
  if (x < 10) x += 10;
  const std::string digits = "00" + std::to_string(x);
  return digits.substr(digits.size() - 3);
}

}  // namespace ostrel::engine
