#include "keys/key_generator.h"

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

TEST(GenerateKey, DrawsAreRoundedHalfToEvenWithZeroDrawnAgain) {
  // 0.05 x 9 = 0.45 rounds to 0 and is drawn again; 0.5 x 9 = 4.5 rounds to 4.
  ScriptedRandom random({0.0, 0.05, 0.5, 0.999, 0.375});
  EXPECT_EQ(GenerateKey(random), "493493493493493493");
}

}  // namespace
}  // namespace ostrel::keys
