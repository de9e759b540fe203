#include "engine/key_sequence.h"

#include "base/number_text.h"

namespace ostrel::engine {
namespace {

// Appends entry i + delta for i over the given range, where the range end
// is the sequence length at the start of the pass.
class SequenceBuilder {
 public:
  SequenceBuilder() : entries_(kKeySequenceLength + 1, 0) {}

  void Append(std::int32_t value) { entries_[static_cast<std::size_t>(++count_)] = static_cast<std::int16_t>(value); }
  std::int32_t Entry(std::int32_t i) const { return entries_[static_cast<std::size_t>(i)]; }
  std::int32_t Count() const { return count_; }

  void Upward(std::int32_t from, std::int32_t step, std::int32_t delta) {
    const std::int32_t n = count_;
    for (std::int32_t i = from; i <= n; i += step) Append(Entry(i) + delta);
  }
  void Downward(std::int32_t to, std::int32_t step, std::int32_t delta) {
    const std::int32_t n = count_;
    for (std::int32_t i = n; i >= to; i -= step) Append(Entry(i) + delta);
  }

  KeySequence Take() { return std::move(entries_); }

 private:
  KeySequence entries_;
  std::int32_t count_ = 0;
};

void RunCycle(SequenceBuilder& builder, const std::string& doubledKey) {
  for (std::size_t i = 0; i + 1 < doubledKey.size(); i += 2) {
    builder.Append(base::ToInt16(base::NumericValue(doubledKey.substr(i, 2))));
  }
  builder.Upward(1, 1, 2);
  builder.Upward(1, 1, 3);
  builder.Upward(2, 2, 4);
  builder.Upward(3, 3, 5);
  builder.Upward(4, 4, 1);
  builder.Downward(1, 6, 7);
  builder.Downward(1, 1, 1);
  builder.Upward(1, 10, 2);
}

// Neighbours are made to differ, 0 becomes 1 and values above 151 wrap. The
// comparison sees the entry before it as already normalised.
void NormaliseEntries(KeySequence& entries, std::int32_t count) {
  auto at = [&entries](std::int32_t i) -> std::int16_t& { return entries[static_cast<std::size_t>(i)]; };
  auto wrap = [](std::int16_t& value) {
    if (value == 0) value = 1;
    if (value > 151) value = static_cast<std::int16_t>(value - 151);
  };
  for (std::int32_t i = 2; i <= count; ++i) {
    if (at(i) == at(i - 1)) at(i) = static_cast<std::int16_t>(at(i) + 2);
    wrap(at(i));
  }
  wrap(at(1));
}

}  // namespace

std::string NormaliseKey(std::string_view keyText) {
  std::string key(keyText);
  while (key.size() < kNormalisedKeyLength) key += key;
  key.resize(kNormalisedKeyLength);
  return key;
}

KeySequence ExpandKeySequence(std::string_view normalisedKey) {
  std::string doubled(normalisedKey);
  doubled.append(normalisedKey.rbegin(), normalisedKey.rend());
  SequenceBuilder builder;
  RunCycle(builder, doubled);
  RunCycle(builder, doubled);
  KeySequence entries = builder.Take();
  NormaliseEntries(entries, kKeySequenceLength);
  return entries;
}

std::int32_t FirstEntryOutOfRange(const KeySequence& sequence) {
  for (std::int32_t i = 1; i <= kKeySequenceLength; ++i) {
    const std::int16_t value = sequence[static_cast<std::size_t>(i)];
    if (value < 1 || value > kWheelLength) return i;
  }
  return 0;
}

}  // namespace ostrel::engine
