#include "base/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace ostrel::base {

std::string PrintForm(std::int64_t value) {
  if (value < 0) return std::to_string(value);
  return " " + std::to_string(value);
}

std::string PrintFormSpaced(std::int64_t value) { return PrintForm(value) + " "; }

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Walks the text skipping blanks, so "1 2" reads as 12.
class NumberScanner {
 public:
  explicit NumberScanner(std::string_view text) : text_(text) {}
  char Peek() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }
  void Next() { ++pos_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

double NumericValue(std::string_view text) {
  NumberScanner scan(text);
  bool negative = false;
  if (scan.Peek() == '-' || scan.Peek() == '+') {
    negative = scan.Peek() == '-';
    scan.Next();
  }
  std::string digits;  // mantissa in a form strtod accepts
  bool sawDigit = false;
  bool sawPoint = false;
  for (char c = scan.Peek(); IsDigit(c) || (c == '.' && !sawPoint); c = scan.Peek()) {
    sawDigit = sawDigit || IsDigit(c);
    sawPoint = sawPoint || c == '.';
    digits += c;
    scan.Next();
  }
  if (!sawDigit) return 0.0;
  const char e = scan.Peek();
  if (e == 'E' || e == 'e' || e == 'D' || e == 'd') {
    scan.Next();
    std::string exponent = "e";
    if (scan.Peek() == '-' || scan.Peek() == '+') {
      exponent += scan.Peek();
      scan.Next();
    }
    bool exponentDigits = false;
    for (char c = scan.Peek(); IsDigit(c); c = scan.Peek()) {
      exponent += c;
      exponentDigits = true;
      scan.Next();
    }
    if (exponentDigits) digits += exponent;
  }
  // from_chars, unlike strtod, ignores the locale's decimal separator.
  double magnitude = 0.0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
  if (error == std::errc::result_out_of_range) magnitude = std::numeric_limits<double>::infinity();
  static_cast<void>(end);
  return negative ? -magnitude : magnitude;
}

std::int64_t RoundHalfEven(double value, std::int64_t lowest, std::int64_t highest) {
  if (std::isnan(value)) return 0;
  const double rounded = std::nearbyint(value);  // default rounding mode: ties to even
  if (rounded <= static_cast<double>(lowest)) return lowest;
  if (rounded >= static_cast<double>(highest)) return highest;
  return static_cast<std::int64_t>(rounded);
}

std::int16_t ToInt16(double value) {
  return static_cast<std::int16_t>(RoundHalfEven(value, std::numeric_limits<std::int16_t>::min(),
                                                 std::numeric_limits<std::int16_t>::max()));
}

std::int32_t ToInt32(double value) {
  return static_cast<std::int32_t>(RoundHalfEven(value, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

}  // namespace ostrel::base
