#include "keys/key_generator.h"

#include <array>
#include <deque>

#include "keys_fixture.h"

namespace ostrel::keys {
namespace {

class ScriptedRandom : public RandomSource {
 public:
  explicit ScriptedRandom(std::deque<double> values) : values_(std::move(values)) {}
  double NextUniform() override {
    const double value = values_.front();
    values_.pop_front();
    values_.push_back(value);
    return value;
  }

 private:
  std::deque<double> values_;
};

bool EighteenDigitsOneToNine(const std::string& key) {
  return key.size() == 18 && key.find_first_not_of("123456789") == std::string::npos;
}

TEST(GenerateKey, DrawsRoundHalfToEvenAndSkipZero) {
  // 0.05 x 9 = 0.45 rounds to 0 and is drawn again; 0.5 x 9 = 4.5 rounds to 4.
  ScriptedRandom random({0.0, 0.05, 0.5, 0.999, 0.375});
  EXPECT_EQ(GenerateKey(random), "493493493493493493");
}

TEST(GenerateKey, AlwaysEighteenDigitsOneToNine) {
  SeededRandomSource seeded(20050613);
  std::array<int, 10> counts{};
  for (int i = 0; i < 2000; ++i) {
    const std::string key = GenerateKey(seeded);
    ASSERT_TRUE(EighteenDigitsOneToNine(key)) << key;
    for (const char digit : key) ++counts[static_cast<std::size_t>(digit - '0')];
  }
  // 9 comes up half as often as each of 1..8: 1/17 against 2/17 of 36000 digits.
  EXPECT_NEAR(counts[9], 36000 / 17, 200);
  EXPECT_NEAR(counts[1], 2 * 36000 / 17, 250);
  SystemRandomSource system;
  EXPECT_TRUE(EighteenDigitsOneToNine(GenerateKey(system)));
}

}  // namespace
}  // namespace ostrel::keys
