#include "engine/period_table.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace ostrel::engine {
namespace {

TEST(PeriodTableTest, KnownSeedsGiveKnownBeginnings) {
  const std::int32_t seed407[] = {14, 10, 17, 21, 16, 20, 15, 19, 15, 12, 16, 19};
  const std::int32_t seed999[] = {19, 19, 19, 27, 20, 21, 22, 14, 14, 14, 11, 11};
  const PeriodTable a = MakePeriodTable("407");
  const PeriodTable b = MakePeriodTable("999");
  for (std::size_t i = 0; i < 12; ++i) {
    EXPECT_EQ(a[i + 1], seed407[i]) << i;
    EXPECT_EQ(b[i + 1], seed999[i]) << i;
  }
}

TEST(PeriodTableTest, EveryEntryOfEverySeedLiesInTenToFifty) {
  for (int x = 10; x <= 999; ++x) {
    char seed[4];
    std::snprintf(seed, sizeof seed, "%03d", x);
    const PeriodTable table = MakePeriodTable(seed);
    EXPECT_EQ(table[0], 0);
    for (std::size_t i = 1; i <= kPeriodCount; ++i) {
      ASSERT_GE(table[i], 10) << seed << " " << i;
      ASSERT_LE(table[i], 50) << seed << " " << i;
    }
  }
}

KeySequence WithEntries(std::int16_t twenty, std::int16_t twentyOne) {
  KeySequence sequence(kKeySequenceLength + 1, 1);
  sequence[20] = twenty;
  sequence[21] = twentyOne;
  return sequence;
}

TEST(PeriodSeedTest, ProductIsFoldedIntoThreeDigits) {
  EXPECT_EQ(PeriodSeed(WithEntries(9, 10)), "090");
  EXPECT_EQ(PeriodSeed(WithEntries(3, 3)), "019");
  EXPECT_EQ(PeriodSeed(WithEntries(100, 100)), "010");
  EXPECT_EQ(PeriodSeed(WithEntries(27, 37)), "999");
  EXPECT_EQ(PeriodSeed(WithEntries(40, 25)), "011");
  EXPECT_EQ(PeriodSeed(WithEntries(151, 151)), "823");
}

}  // namespace
}  // namespace ostrel::engine
