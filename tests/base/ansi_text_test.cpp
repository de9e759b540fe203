#include "base/ansi_text.h"

#include <gtest/gtest.h>

#include <utility>

namespace ostrel::base {
namespace {

// Each case: UTF-8 text inside, then the bytes stored.
using Conversion = std::pair<std::string, std::string>;

TEST(AnsiText, WritingUsesWindows1252OnlyWhereEveryCharacterFits) {
  const Conversion cases[] = {
      {"caf\xC3\xA9", "caf\xE9"},                            // é
      {"\xE2\x82\xAC" "5", "\x80" "5"},                      // € is 0x80
      {"plain", "plain"},
      {"\xCE\xB1\xCE\xB2 caf\xC3\xA9", "\xCE\xB1\xCE\xB2 caf\xC3\xA9"},  // αβ café: é alone would fit, α does not
      {"a\xFF" "b", "a\xFF" "b"},                                        // not UTF-8: kept as stored bytes
      {"\xED\xA0\x80", "\xED\xA0\x80"}};                                 // an encoded surrogate is not UTF-8
  for (const auto& [text, stored] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(ToAnsi(text), stored);
  }
}

// Long ASCII runs are passed over eight bytes at a time: one character
// outside ASCII is found wherever it falls among them.
TEST(AnsiText, OneCharacterOutsideAsciiIsFoundAtEveryPlaceInALongText) {
  const std::string ascii = "A mail body of plain ASCII words.";
  for (std::size_t at = 0; at <= ascii.size(); ++at) {
    SCOPED_TRACE(at);
    const std::string before = ascii.substr(0, at);
    const std::string after = ascii.substr(at);
    EXPECT_EQ(AsciiPrefixLength(before + "\xC3\xA9" + after), at);
    EXPECT_EQ(ToAnsi(before + "\xC3\xA9" + after), before + "\xE9" + after);       // é
    EXPECT_EQ(FromAnsi(before + "\xE9" + after), before + "\xC3\xA9" + after);
    EXPECT_EQ(ToAnsi(before + "\xCE\xB1" + after), before + "\xCE\xB1" + after);  // α does not fit
    EXPECT_TRUE(IsNonAsciiUtf8(before + "\xC3\xA9" + after));
  }
  EXPECT_EQ(AsciiPrefixLength(ascii), ascii.size());
  EXPECT_FALSE(IsNonAsciiUtf8(ascii));
  EXPECT_FALSE(IsNonAsciiUtf8("\xC0\x80"));  // an overlong form is no UTF-8
}

TEST(AnsiText, ReadingTakesWindows1252UnlessTheBytesAreUtf8) {
  const Conversion cases[] = {
      {"caf\xC3\xA9", "caf\xE9"},
      {"\xE2\x82\xAC", "\x80"},
      {"caf\xC3\xA9", "caf\xC3\xA9"},  // valid UTF-8 with non-ASCII
      {"\xCE\xB1\xCE\xB2 caf\xC3\xA9", "\xCE\xB1\xCE\xB2 caf\xC3\xA9"},
      {"\xC3\x83", "\xC3"},  // a lone lead byte is Windows-1252
  };
  for (const auto& [text, stored] : cases) {
    SCOPED_TRACE(stored);
    EXPECT_EQ(FromAnsi(stored), text);
  }
}

// Bytes Windows-1252 leaves undefined (0x81, 0x8D, ...) included.
TEST(AnsiText, EveryByteSurvivesReadingThenWriting) {
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(ToAnsi(FromAnsi(one)), one) << "byte " << b;
  }
}

}  // namespace
}  // namespace ostrel::base
