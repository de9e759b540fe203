#include "engine/period_table.h"

namespace ostrel::engine {
namespace {

class TableBuilder {
 public:
  std::int32_t& At(std::int32_t i) { return table_[static_cast<std::size_t>(i)]; }
  std::int32_t Count() const { return count_; }
  void SetCount(std::int32_t count) { count_ = count; }

  // Appends T(i) + delta; the table holds 200 entries at most.
  bool Append(std::int32_t i, std::int32_t delta) {
    if (count_ == kPeriodCount) return false;
    ++count_;
    At(count_) = At(i) + delta;
    return true;
  }
  void Upward(std::int32_t from, std::int32_t step, std::int32_t delta) {
    const std::int32_t n = count_;
    for (std::int32_t i = from; i <= n; i += step) {
      if (!Append(i, delta)) return;
    }
  }
  void Downward(std::int32_t to, std::int32_t step, std::int32_t delta) {
    const std::int32_t n = count_;
    for (std::int32_t i = n; i >= to; i -= step) {
      if (!Append(i, delta)) return;
    }
  }
  const PeriodTable& Table() const { return table_; }

 private:
  PeriodTable table_{};
  std::int32_t count_ = 0;
};

std::int32_t SeedDigit(char c) {
  const std::int32_t digit = c - '0';
  return digit == 0 ? 10 : digit;
}

}  // namespace

PeriodTable MakePeriodTable(const std::string& seed) {
  TableBuilder t;
  t.At(1) = SeedDigit(seed.at(0));
  t.At(2) = SeedDigit(seed.at(1));
  t.At(3) = SeedDigit(seed.at(2));
  t.At(4) = t.At(1) + t.At(2) + t.At(3);
  t.At(5) = t.At(1) + t.At(2) + 2;
  t.At(6) = t.At(2) + t.At(3) + 3;
  t.At(7) = t.At(1) + t.At(3) + 4;
  t.At(8) = t.At(1) + 5;
  t.At(9) = t.At(2) + 5;
  t.At(10) = t.At(3) + 5;
  t.SetCount(10);

  t.Upward(1, 2, 2);
  t.Upward(2, 2, 3);
  t.Downward(1, 3, 7);
  t.Upward(1, 3, 9);
  t.Upward(1, 5, 13);
  t.Downward(1, 5, 17);
  t.Upward(1, 7, 4);
  t.Downward(1, 7, 6);
  t.Upward(2, 8, 1);
  t.Downward(2, 8, 2);
  t.Upward(5, 5, 3);
  t.Downward(5, 5, 2);
  t.Downward(1, 1, 1);  // stops once entry 200 is written

  for (std::int32_t i = 1; i <= kPeriodCount; ++i) {
    if (t.At(i) < 10) t.At(i) += 10;
    if (t.At(i) > 50) t.At(i) -= 20;
  }
  return t.Table();
}

std::string PeriodSeed(const KeySequence& sequence) {
  std::int32_t x = std::int32_t{sequence.at(20)} * std::int32_t{sequence.at(21)};
  while (x > 999) x -= 999;
  if (x < 10) x += 10;
  const std::string digits = "00" + std::to_string(x);
  return digits.substr(digits.size() - 3);
}

}  // namespace ostrel::engine
