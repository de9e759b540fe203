#include "engine/period_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <tuple>
#include <vector>

namespace ostrel::engine {
namespace {

using Entries = std::vector<std::int32_t>;

// The whole tables were worked out apart from the engine, row by row from the
// table of passes, by tests/data/engine/wheel_machine_by_hand.py:
//     python3 wheel_machine_by_hand.py --periods 407 periods-407.txt
TEST(PeriodTableTest, WholeTablesAreTheWorkedOutOnes) {
  struct Case {
    const char* seed;
    Entries beginning;  // worked out by hand
  };
  for (const Case& c : {Case{"407", {14, 10, 17, 21, 16, 20, 15, 19, 15, 12, 16, 19}},
                        Case{"999", {19, 19, 19, 27, 20, 21, 22, 14, 14, 14, 11, 11}}}) {
    SCOPED_TRACE(c.seed);
    std::ifstream file(std::string(OSTREL_ENGINE_DATA) + "/periods-" + c.seed + ".txt");
    Entries expected;
    for (std::int32_t value = 0; file >> value;) expected.push_back(value);
    ASSERT_EQ(expected.size(), std::size_t{kPeriodCount});
    ASSERT_EQ(Entries(expected.begin(), expected.begin() + 12), c.beginning);
    const PeriodTable table = MakePeriodTable(c.seed);
    EXPECT_EQ(Entries(table.begin() + 1, table.end()), expected);
  }
}

TEST(PeriodTableTest, EveryEntryOfEverySeedLiesInTenToFifty) {
  for (int x = 10; x <= 999; ++x) {
    const std::string seed = std::string(x < 100 ? "0" : "") + std::to_string(x);
    const PeriodTable table = MakePeriodTable(seed);
    EXPECT_EQ(table[0], 0);
    for (std::size_t i = 1; i <= kPeriodCount; ++i) {
      ASSERT_GE(table[i], 10) << seed << " " << i;
      ASSERT_LE(table[i], 50) << seed << " " << i;
    }
  }
}

TEST(PeriodSeedTest, ProductOfEntriesTwentyAndTwentyOneIsFoldedIntoThreeDigits) {
  const std::tuple<std::int16_t, std::int16_t, const char*> cases[] = {
      {9, 10, "090"}, {3, 3, "019"}, {100, 100, "010"}, {27, 37, "999"}, {40, 25, "011"}, {151, 151, "823"}};
  for (const auto& [twenty, twentyOne, seed] : cases) {
    KeySequence sequence(kKeySequenceLength + 1, 1);
    sequence[20] = twenty;
    sequence[21] = twentyOne;
    EXPECT_EQ(PeriodSeed(sequence), seed) << twenty << " " << twentyOne;
  }
}

}  // namespace
}  // namespace ostrel::engine
