#pragma once
// "Generate": 18 digits 1..9 drawn from a random source. Each digit is a
// uniform draw r in [0, 1) with r x 9 rounded half to even, drawn again while
// it gives 0, so 9 comes up half as often as each of 1..8.

#include <cstdint>
#include <random>
#include <string>

namespace ostrel::keys {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // A value uniform in [0, 1).
  virtual double NextUniform() = 0;
};

// The operating system's random source, for the program's keys.
class SystemRandomSource : public RandomSource {
 public:
  double NextUniform() override;

 private:
  std::random_device device_;
};

// A repeatable sequence from a seed, for tests.
class SeededRandomSource : public RandomSource {
 public:
  explicit SeededRandomSource(std::uint64_t seed) : engine_(seed) {}
  double NextUniform() override;

 private:
  std::mt19937_64 engine_;
};

std::string GenerateKey(RandomSource& random);

}  // namespace ostrel::keys
