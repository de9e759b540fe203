#include "base/number_text.h"

#include <gtest/gtest.h>

#include <utility>

namespace ostrel::base {
namespace {

TEST(NumberText, NumericValueReadsLeniently) {
  // Blanks inside are skipped; reading stops at the first character that
  // cannot continue the number.
  const std::pair<const char*, double> cases[] = {
      {" 3 ", 3.0},   {"-2", -2.0},   {"+7", 7.0},    {"word", 0.0},  {"", 0.0},
      {"1 2", 12.0},  {"- 5", -5.0},  {"12abc", 12.0}, {"5-", 5.0},   {"2.5", 2.5},
      {".5", 0.5},    {"1E2", 100.0}, {"1E", 1.0},    {"1D1", 10.0},  {"E1", 0.0},
      {"1.2.3", 1.2}, {"-", 0.0},     {"\t 41\r\n", 41.0}};
  for (const auto& [text, value] : cases) EXPECT_EQ(NumericValue(text), value) << text;
}

TEST(NumberText, ConversionRoundsHalfToEvenClampingToTheRange) {
  const std::pair<double, int> cases[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {0.5, 0}, {1e9, 32767}, {-1e9, -32768}};
  for (const auto& [value, rounded] : cases) EXPECT_EQ(ToInt16(value), rounded) << value;
  EXPECT_EQ(ToInt32(1e300), 2147483647);
  EXPECT_EQ(ToInt32(NumericValue("9" + std::string(400, '9'))), 2147483647);
}

}  // namespace
}  // namespace ostrel::base
