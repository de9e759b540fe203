#include "engine/hex_text.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine_fixture.h"

namespace ostrel::engine {
namespace {

std::string Decoded(std::string hex) {
  HexDecode(hex);
  return hex;
}

TEST(HexTextTest, EncodesTwoUpperCaseDigitsPerByteInLinesOfForty) {
  EXPECT_EQ(HexEncode(""), "");
  EXPECT_EQ(HexEncode(std::string("\x00\x0A\xFF", 3)), "000AFF");
  std::string fortyLine;
  for (int i = 0; i < 40; ++i) fortyLine += "41";
  EXPECT_EQ(HexEncode(std::string(40, 'A')), fortyLine + "\r\n");
  const std::string fortyOne = HexEncode(std::string(41, '\x1F'));
  ASSERT_EQ(fortyOne.size(), 84u);
  EXPECT_EQ(fortyOne.substr(80, 2), "\r\n");
  EXPECT_EQ(fortyOne.substr(82), "1F");
  EXPECT_EQ(HexEncode(std::string(80, 'a')).size(), 2u * (80 + 2));
}

TEST(HexTextTest, DecodeGivesBackEveryByteAndReturnsWhatItStores) {
  const std::string text = AllCodes() + AllCodes();
  std::string hex = HexEncode(text);
  const std::string returned = HexDecode(hex);
  EXPECT_EQ(returned, text);
  EXPECT_EQ(hex, text);
  EXPECT_EQ(Decoded(""), "");
  // A lone last digit is the high half.
  EXPECT_EQ(Decoded("41A"), "A\xA0");
}

TEST(HexTextTest, DecodeIgnoresLineBreaksAnywhere) {
  const std::string text = AllCodes();
  std::string hex = HexEncode(text);
  std::string rewrapped;
  for (const char c : hex) {
    if (c == '\r' || c == '\n') continue;
    rewrapped += c;
    if (rewrapped.size() % 77 == 0) rewrapped += "\n";
    if (rewrapped.size() % 131 == 0) rewrapped += "\r\r\n";
  }
  EXPECT_EQ(Decoded(rewrapped), text);
  EXPECT_EQ(Decoded("4\r\n1"), "A");
}

TEST(HexTextTest, RefusesAnythingButDigitsAndLineBreaksAndKeepsTheText) {
  for (const std::string& bad : std::vector<std::string>{"4a", "41 42", "41\t42", "G0", "0x41", "41-", std::string("4\0", 2)}) {
    std::string text = bad;
    EXPECT_THROW(HexDecode(text), EngineError) << bad;
    EXPECT_EQ(text, bad);
  }
}

}  // namespace
}  // namespace ostrel::engine
