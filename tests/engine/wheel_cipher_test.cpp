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

using Path = WheelCipher::Path;

struct MachineShape {
  int minPeriod;
  int maxPeriod;
  int maxStep;
  int maxPasses;
};

constexpr MachineShape kKeyspaceShape{10, 50, 7, 2};
constexpr MachineShape kWideShape{1, 60, 300, 3};

WheelMachine RandomMachine(std::mt19937& random, const MachineShape& shape) {
  WheelMachine machine;
  for (auto& wheel : machine.wheels) {
    std::iota(wheel.begin(), wheel.end(), std::uint8_t{0});
    std::shuffle(wheel.begin(), wheel.end(), random);
  }
  std::uniform_int_distribution<int> flag(0, 1);
  std::uniform_int_distribution<int> step(1, shape.maxStep);
  for (int p = 0; p < kWheelCount; ++p) {
    machine.directionFlags[static_cast<std::size_t>(p)] = static_cast<std::uint8_t>(flag(random));
    machine.steps[static_cast<std::size_t>(p)] = static_cast<std::int16_t>(step(random));
  }
  machine.passCount = std::uniform_int_distribution<std::int32_t>(1, shape.maxPasses)(random);
  std::uniform_int_distribution<std::int32_t> period(shape.minPeriod, shape.maxPeriod);
  machine.periodTable[0] = 0;
  for (int k = 1; k <= kPeriodCount; ++k) machine.periodTable[static_cast<std::size_t>(k)] = period(random);
  return machine;
}

std::vector<std::uint8_t> RandomBytes(std::mt19937& random, std::size_t size) {
  std::uniform_int_distribution<int> byte(0, 255);
  std::vector<std::uint8_t> bytes(size);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(byte(random));
  return bytes;
}

std::vector<std::uint8_t> Literal(const WheelMachine& machine, Direction direction,
                                  const std::vector<std::uint8_t>& bytes) {
  literal::LiteralWheels wheels(machine);
  const std::string text = wheels.Transform(direction, std::string(bytes.begin(), bytes.end()));
  return {text.begin(), text.end()};
}

std::vector<std::uint8_t> Fast(const WheelCipher& cipher, Direction direction,
                               const std::vector<std::uint8_t>& bytes, Path path, unsigned threads) {
  std::vector<std::uint8_t> out(bytes.size());
  cipher.Transform(direction, 0, bytes.data(), out.data(), out.size(), path, threads);
  return out;
}

TEST(WheelCipherTest, MatchesLiteralMachineOnSmallInputs) {
  std::mt19937 random(7);
  for (const auto& shape : {kKeyspaceShape, kWideShape}) {
    for (int trial = 0; trial < 6; ++trial) {
      const WheelMachine machine = RandomMachine(random, shape);
      const WheelCipher cipher(machine);
      for (const std::size_t size : {0U, 1U, 2U, 9U, 10U, 11U, 49U, 50U, 51U, 63U, 64U, 65U, 300U, 1000U}) {
        const auto plain = RandomBytes(random, size);
        const auto expected = Literal(machine, Direction::Encrypt, plain);
        ASSERT_EQ(Fast(cipher, Direction::Encrypt, plain, Path::Portable, 1), expected) << size;
        ASSERT_EQ(Fast(cipher, Direction::Decrypt, expected, Path::Portable, 1), plain) << size;
        ASSERT_EQ(Literal(machine, Direction::Decrypt, plain),
                  Fast(cipher, Direction::Decrypt, plain, Path::Portable, 2)) << size;
      }
    }
  }
}

}  // namespace
}  // namespace ostrel::engine
