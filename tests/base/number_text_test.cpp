#include "base/number_text.h"

#include <gtest/gtest.h>

namespace ostrel::base {
namespace {

TEST(NumberText, PrintFormPutsABlankWhereTheSignWouldBe) {
  EXPECT_EQ(PrintForm(0), " 0");
  EXPECT_EQ(PrintForm(12), " 12");
  EXPECT_EQ(PrintForm(-3), "-3");
  EXPECT_EQ(PrintFormSpaced(20), " 20 ");
  EXPECT_EQ(PrintFormSpaced(2), " 2 ");
}

TEST(NumberText, NumericValueReadsLeniently) {
  EXPECT_EQ(NumericValue(" 3 "), 3.0);
  EXPECT_EQ(NumericValue("-2"), -2.0);
  EXPECT_EQ(NumericValue("+7"), 7.0);
  EXPECT_EQ(NumericValue("word"), 0.0);
  EXPECT_EQ(NumericValue(""), 0.0);
  EXPECT_EQ(NumericValue("1 2"), 12.0);       // blanks inside are skipped
  EXPECT_EQ(NumericValue("- 5"), -5.0);
  EXPECT_EQ(NumericValue("12abc"), 12.0);     // stops at the first character that cannot continue
  EXPECT_EQ(NumericValue("5-"), 5.0);
  EXPECT_EQ(NumericValue("2.5"), 2.5);
  EXPECT_EQ(NumericValue(".5"), 0.5);
  EXPECT_EQ(NumericValue("1E2"), 100.0);
  EXPECT_EQ(NumericValue("1E"), 1.0);
  EXPECT_EQ(NumericValue("1D1"), 10.0);
  EXPECT_EQ(NumericValue("E1"), 0.0);
  EXPECT_EQ(NumericValue("1.2.3"), 1.2);
  EXPECT_EQ(NumericValue("-"), 0.0);
  EXPECT_EQ(NumericValue("\t 41\r\n"), 41.0);
}

TEST(NumberText, ConversionRoundsHalfToEvenAndClamps) {
  EXPECT_EQ(ToInt16(2.5), 2);
  EXPECT_EQ(ToInt16(3.5), 4);
  EXPECT_EQ(ToInt16(-2.5), -2);
  EXPECT_EQ(ToInt16(0.5), 0);
  EXPECT_EQ(ToInt16(1e9), 32767);
  EXPECT_EQ(ToInt16(-1e9), -32768);
  EXPECT_EQ(ToInt32(1e300), 2147483647);
  EXPECT_EQ(ToInt32(NumericValue("9" + std::string(400, '9'))), 2147483647);
}

}  // namespace
}  // namespace ostrel::base
