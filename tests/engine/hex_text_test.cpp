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
  EXPECT_EQ(HexEncode(std::string(41, 'A')), fortyLine + "\r\n41");
  EXPECT_EQ(HexEncode(std::string(80, 'A')), fortyLine + "\r\n" + fortyLine + "\r\n");
}

TEST(HexTextTest, DecodeGivesBackEveryByteIgnoringLineBreaksAnywhere) {
  const std::string text = AllCodes() + AllCodes();
  std::string hex = HexEncode(text);
  std::string rewrapped;
  for (const char c : hex) {
    if (c == '\r' || c == '\n') continue;
    rewrapped += c;
    if (rewrapped.size() % 77 == 0) rewrapped += "\n";
    if (rewrapped.size() % 131 == 0) rewrapped += "\r\r\n";
  }
  EXPECT_EQ(HexDecode(hex), text);
  EXPECT_EQ(hex, text);  // stored in place as well as returned
  EXPECT_EQ(Decoded(rewrapped), text);
  EXPECT_EQ(Decoded(""), "");
  EXPECT_EQ(Decoded("4\r\n1"), "A");
  EXPECT_EQ(Decoded("41A"), "A\xA0");  // a lone last digit is the high half
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
