#include "engine/wheel_cipher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace ostrel::engine {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Path = WheelCipher::Path;

// Short periods make a short cycle, so that modest inputs fill every lane of
// the vector path; steps reach past a whole turn.
WheelMachine RandomShortCycleMachine(std::mt19937& random) {
  WheelMachine machine;
  for (auto& wheel : machine.wheels) {
    std::iota(wheel.begin(), wheel.end(), std::uint8_t{0});
    std::shuffle(wheel.begin(), wheel.end(), random);
  }
  for (std::size_t p = 0; p < kWheelCount; ++p) {
    machine.directionFlags[p] = static_cast<std::uint8_t>(random() % 2);
    machine.steps[p] = static_cast<std::int16_t>(1 + random() % 300);
  }
  machine.passCount = static_cast<std::int32_t>(1 + random() % 2);
  for (std::size_t k = 1; k <= kPeriodCount; ++k) machine.periodTable[k] = static_cast<std::int32_t>(1 + random() % 2);
  return machine;
}

Bytes RandomBytes(std::mt19937& random, std::size_t size) {
  Bytes bytes(size);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(random() & 0xFFu);
  return bytes;
}

std::size_t CycleLength(const WheelMachine& machine) {
  return std::accumulate(machine.periodTable.begin() + 1, machine.periodTable.end(), std::size_t{0});
}

Bytes Fast(const WheelCipher& cipher, Direction direction, Bytes bytes, Path path, unsigned threads,
           bool inPlace = false) {
  Bytes out(bytes.size());
  cipher.Transform(direction, 0, bytes.data(), inPlace ? bytes.data() : out.data(), bytes.size(), path, threads);
  return inPlace ? bytes : out;
}

std::vector<Path> PathsToCheck() {
  if (WheelCipher::VectorPathAvailable()) return {Path::Portable, Path::Vector};
  return {Path::Portable};
}

const char* Name(Path path) { return path == Path::Vector ? "vector" : "portable"; }

// Every path, thread count and buffer use must give the bytes of the plainest
// run, the portable path on one thread (which the known answers pin to the
// worked-out machine), and decipher them back.
void ExpectEveryRunAlike(const WheelMachine& machine, const std::vector<std::size_t>& sizes) {
  std::mt19937 random(static_cast<unsigned>(sizes.size()));
  const WheelCipher cipher(machine);
  for (const std::size_t size : sizes) {
    const Bytes plain = RandomBytes(random, size);
    const Bytes cipherText = Fast(cipher, Direction::Encrypt, plain, Path::Portable, 1);
    for (const Path path : PathsToCheck()) {
      for (const unsigned threads : {1U, 2U, 0U}) {
        for (const bool inPlace : {false, true}) {
          SCOPED_TRACE(testing::Message() << Name(path) << " path, " << threads << " threads, "
                                          << (inPlace ? "in place, " : "") << size << " bytes");
          EXPECT_EQ(Fast(cipher, Direction::Encrypt, plain, path, threads, inPlace), cipherText);
          EXPECT_EQ(Fast(cipher, Direction::Decrypt, cipherText, path, threads, inPlace), plain);
        }
      }
    }
  }
}

TEST(WheelCipherTest, EveryPathAndThreadCountAgreesWhereVectorLanesFillOrNot) {
  std::mt19937 random(13);
  WheelMachine odd = RandomShortCycleMachine(random);
  // A step of 256 or 512 leaves the wheel where it is; 257 turns it by one.
  odd.steps[0] = 256;
  odd.steps[1] = 512;
  odd.steps[2] = 257;
  odd.directionFlags[2] = 0;
  odd.passCount = 3;
  for (const WheelMachine& machine : {RandomShortCycleMachine(random), odd}) {
    const std::size_t cycle = CycleLength(machine);
    // No byte and one; too few cycles for lanes; a few lanes of one cycle;
    // all 64 lanes with partial tiles; 64 lanes of two cycles with lanes of
    // one cycle after them; lanes of nine cycles, whose starts run past 256
    // cycles.
    ExpectEveryRunAlike(machine, {0, 1, 3 * cycle + 5, 4 * cycle, 9 * cycle + 100, 64 * cycle - 1, 64 * cycle + 63,
                                  133 * cycle + 7, 64 * 9 * cycle + 777});
  }
}

TEST(WheelCipherTest, AnyCutOrFarStartGivesTheWholeResult) {
  std::mt19937 random(19);
  const WheelMachine machine = RandomShortCycleMachine(random);
  const WheelCipher cipher(machine);
  const std::size_t cycle = CycleLength(machine);
  const Bytes plain = RandomBytes(random, 90 * cycle + 9);
  // Whole cycles later the wheels stand the same except for their offsets,
  // which 256 cycles bring back too.
  const std::uint64_t far = std::uint64_t{256} * 1'000'003 * cycle;
  for (const Path path : PathsToCheck()) {
    for (const Direction direction : {Direction::Encrypt, Direction::Decrypt}) {
      SCOPED_TRACE(Name(path));
      const Bytes whole = Fast(cipher, direction, plain, Path::Portable, 1);
      Bytes pieces(plain.size());
      std::uniform_int_distribution<std::size_t> cutLength(0, plain.size() / 3);
      for (std::size_t from = 0; from < plain.size();) {
        const std::size_t count = std::min(cutLength(random), plain.size() - from);
        cipher.Transform(direction, from, plain.data() + from, pieces.data() + from, count, path, 1);
        from += count;
      }
      EXPECT_EQ(pieces, whole);
      cipher.Transform(direction, far, plain.data(), pieces.data(), pieces.size(), path, 2);
      EXPECT_EQ(pieces, whole);
      cipher.Transform(direction, far + 1, plain.data(), pieces.data(), pieces.size(), path, 2);
      EXPECT_NE(pieces, whole);
    }
  }
}

}  // namespace
}  // namespace ostrel::engine
