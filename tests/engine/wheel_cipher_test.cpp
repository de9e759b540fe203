#include "engine/wheel_cipher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "literal_wheels.h"

namespace ostrel::engine {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Path = WheelCipher::Path;

struct MachineShape {
  std::int32_t minPeriod;
  std::int32_t maxPeriod;
  int maxStep;
  std::int32_t maxPasses;
};

// As key loading makes them, and wider than it ever does.
constexpr MachineShape kKeyspaceShape{10, 50, 7, 2};
constexpr MachineShape kWideShape{1, 60, 300, 3};
// Short periods make a short cycle, so that modest inputs fill every lane of
// the vector path.
constexpr MachineShape kShortCycleShape{1, 2, 300, 2};

WheelMachine RandomMachine(std::mt19937& random, const MachineShape& shape) {
  WheelMachine machine;
  for (auto& wheel : machine.wheels) {
    std::iota(wheel.begin(), wheel.end(), std::uint8_t{0});
    std::shuffle(wheel.begin(), wheel.end(), random);
  }
  for (std::size_t p = 0; p < kWheelCount; ++p) {
    machine.directionFlags[p] = static_cast<std::uint8_t>(random() % 2);
    machine.steps[p] = static_cast<std::int16_t>(1 + random() % static_cast<unsigned>(shape.maxStep));
  }
  machine.passCount = std::uniform_int_distribution<std::int32_t>(1, shape.maxPasses)(random);
  std::uniform_int_distribution<std::int32_t> period(shape.minPeriod, shape.maxPeriod);
  for (std::size_t k = 1; k <= kPeriodCount; ++k) machine.periodTable[k] = period(random);
  return machine;
}

Bytes RandomBytes(std::mt19937& random, std::size_t size) {
  Bytes bytes(size);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(random() & 0xFFu);
  return bytes;
}

std::size_t CycleLength(const WheelMachine& machine) {
  std::size_t cycle = 0;
  for (std::size_t k = 1; k <= kPeriodCount; ++k) {
    cycle += static_cast<std::size_t>(std::max(machine.periodTable[k], 1));
  }
  return cycle;
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

// Every path, thread count and buffer use must give the literal machine's
// bytes in both directions, and the wheels must stand as the literal ones do
// afterwards. (Each byte's transform is a permutation, so deciphering the
// literal cipher text back to the plain text checks the decryption against
// the literal machine on that input.)
void ExpectSameAsLiteral(const WheelMachine& machine, const Bytes& plain) {
  const WheelCipher cipher(machine);
  literal::LiteralWheels wheels(machine);
  const std::string literalText = wheels.Transform(Direction::Encrypt, std::string(plain.begin(), plain.end()));
  const Bytes cipherText(literalText.begin(), literalText.end());
  const auto wheelsAfter = cipher.WheelsAfter(plain.size());
  for (int p = 0; p < kWheelCount; ++p) {
    const auto& wheel = wheelsAfter[static_cast<std::size_t>(p)];
    EXPECT_EQ(std::string(wheel.begin(), wheel.end()), wheels.WheelAt(p))
        << "position " << p + 1 << " after " << plain.size() << " bytes";
  }
  for (const Path path : PathsToCheck()) {
    for (const unsigned threads : {1U, 2U}) {
      for (const bool inPlace : {false, true}) {
        SCOPED_TRACE(testing::Message() << Name(path) << " path, " << threads << " threads, "
                                        << (inPlace ? "in place, " : "") << plain.size() << " bytes");
        EXPECT_EQ(Fast(cipher, Direction::Encrypt, plain, path, threads, inPlace), cipherText);
        EXPECT_EQ(Fast(cipher, Direction::Decrypt, cipherText, path, threads, inPlace), plain);
      }
    }
  }
}

TEST(WheelCipherTest, MatchesLiteralMachineOnShortTextsAndWholeCycles) {
  std::mt19937 random(7);
  for (const auto& shape : {kKeyspaceShape, kWideShape}) {
    for (int trial = 0; trial < 3; ++trial) {
      const WheelMachine machine = RandomMachine(random, shape);
      const auto first = static_cast<std::size_t>(machine.periodTable[1]);
      const std::size_t cycle = CycleLength(machine);
      // Around the first order change, and up to the wrap from entry 200
      // back to entry 1 and a cycle beyond it.
      for (const std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{2}, first - 1, first, first + 1,
                                     std::size_t{64}, std::size_t{65}, std::size_t{1000}, cycle - 1, cycle,
                                     2 * cycle + 17}) {
        const Bytes plain = RandomBytes(random, size);
        ExpectSameAsLiteral(machine, plain);
        // Deciphering bytes that no encryption produced, too.
        const std::string literalText = literal::LiteralWheels(machine).Transform(
            Direction::Decrypt, std::string(plain.begin(), plain.end()));
        EXPECT_EQ(Fast(WheelCipher(machine), Direction::Decrypt, plain, Path::Portable, 1),
                  Bytes(literalText.begin(), literalText.end()));
      }
    }
  }
}

TEST(WheelCipherTest, MatchesLiteralMachineWhereVectorLanesFillOrNot) {
  std::mt19937 random(13);
  WheelMachine odd = RandomMachine(random, kShortCycleShape);
  // A step of 256 or 512 leaves the wheel where it is; 257 turns it by one.
  odd.steps[0] = 256;
  odd.steps[1] = 512;
  odd.steps[2] = 257;
  odd.directionFlags[2] = 0;
  // Periods below 1 change the order after every byte.
  odd.periodTable[1] = 0;
  odd.periodTable[2] = -5;
  odd.passCount = 3;
  for (const WheelMachine& machine : {RandomMachine(random, kShortCycleShape), odd}) {
    const std::size_t cycle = CycleLength(machine);
    // Too few cycles for lanes; a few lanes of one cycle; all 64 lanes with
    // partial tiles; 64 lanes of two cycles with lanes of one cycle after them.
    for (const std::size_t size : {3 * cycle + 5, 4 * cycle, 9 * cycle + 100, 64 * cycle - 1, 64 * cycle + 63,
                                   133 * cycle + 7}) {
      ExpectSameAsLiteral(machine, RandomBytes(random, size));
    }
  }
}

TEST(WheelCipherTest, AnyCutOrFarStartGivesTheWholeResult) {
  std::mt19937 random(19);
  const WheelMachine machine = RandomMachine(random, kShortCycleShape);
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

TEST(WheelCipherTest, LargeInputsAgreeOnEveryPathAndThreadCountAndRoundTrip) {
  std::mt19937 random(29);
  // Lanes of about two cycles; and lanes of nine short cycles, so that the
  // lanes' offsets run past 256 cycles.
  const WheelMachine keyspace = RandomMachine(random, kKeyspaceShape);
  const WheelMachine shortCycle = RandomMachine(random, kShortCycleShape);
  for (const auto& [machine, size] : {std::pair{keyspace, (std::size_t{1} << 20) + 12345},
                                      std::pair{shortCycle, 64 * 9 * CycleLength(shortCycle) + 777}}) {
    const WheelCipher cipher(machine);
    const Bytes plain = RandomBytes(random, size);
    const Bytes reference = Fast(cipher, Direction::Encrypt, plain, Path::Portable, 1);
    const Bytes decipheredReference = Fast(cipher, Direction::Decrypt, plain, Path::Portable, 1);
    for (const Path path : PathsToCheck()) {
      for (const unsigned threads : {1U, 2U, 0U}) {
        SCOPED_TRACE(testing::Message() << Name(path) << ' ' << threads << " threads, " << size << " bytes");
        EXPECT_EQ(Fast(cipher, Direction::Encrypt, plain, path, threads), reference);
        EXPECT_EQ(Fast(cipher, Direction::Decrypt, reference, path, threads, true), plain);
        EXPECT_EQ(Fast(cipher, Direction::Decrypt, plain, path, threads), decipheredReference);
      }
    }
    Bytes automatic(plain.size());
    cipher.Transform(Direction::Encrypt, 0, plain.data(), automatic.data(), automatic.size());
    EXPECT_EQ(automatic, reference);
  }
}

}  // namespace
}  // namespace ostrel::engine
