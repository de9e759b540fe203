#include "transport/encoded_words.h"

#include <gmime/gmime.h>
#include <gtest/gtest.h>

#include "transport/gmime_support.h"

namespace ostrel::transport {
namespace {

TEST(EncodedWords, AdjacentBase64WordsAreBothDecoded) {
  EXPECT_EQ(DecodeHeaderText("=?UTF-8?B?SGVsbG8=?= =?UTF-8?B?IHdvcmxk?="), "Hello world");
}

TEST(EncodedWords, GMimeStillLosesTheSecondOfTwoAdjacentWords) {
  // The reason the program decodes subjects itself: when this starts to
  // pass with "Hello world", GMime has been mended.
  EnsureGMime();
  const std::string decoded =
      TakeGString(g_mime_utils_header_decode_text(nullptr, "=?UTF-8?B?SGVsbG8=?= =?UTF-8?B?IHdvcmxk?="));
  EXPECT_NE(decoded, "Hello world");
}

TEST(EncodedWords, ACharacterSplitAcrossTwoWordsStaysWhole) {
  // "ü" is C3 BC; the first word ends after C3.
  EXPECT_EQ(DecodeHeaderText("=?UTF-8?B?R3LD?= =?UTF-8?B?vMOfZQ==?="), "Grüße");
}

TEST(EncodedWords, QuotedPrintableWordsAndOtherCharsets) {
  EXPECT_EQ(DecodeHeaderText("=?ISO-8859-1?Q?Caf=E9_cr=E8me?="), "Café crème");
  EXPECT_EQ(DecodeHeaderText("=?windows-1252?q?=80_5?="), "€ 5");
  EXPECT_EQ(DecodeHeaderText("=?utf-8*en?Q?language_tag?="), "language tag");
}

TEST(EncodedWords, TextAroundWordsAndFoldingAreKept) {
  EXPECT_EQ(DecodeHeaderText("Re: =?UTF-8?Q?na=C3=AFve?= idea"), "Re: naïve idea");
  EXPECT_EQ(DecodeHeaderText(" a folded\r\n subject"), " a folded subject");
  // Blanks between a word and plain text stay; between two words they go.
  EXPECT_EQ(DecodeHeaderText("=?UTF-8?Q?a?=   =?UTF-8?Q?b?= c"), "ab c");
}

TEST(EncodedWords, MalformedWordsStayAsTheyAre) {
  EXPECT_EQ(DecodeHeaderText("=?UTF-8?X?abc?="), "=?UTF-8?X?abc?=");
  EXPECT_EQ(DecodeHeaderText("=?UTF-8?B?abc"), "=?UTF-8?B?abc");
  EXPECT_EQ(DecodeHeaderText("50% =? off"), "50% =? off");
}

TEST(EncodedWords, ControlCharactersBecomeBlanks) {
  EXPECT_EQ(DecodeHeaderText("=?UTF-8?Q?a=0D=0Ab=00c?="), "a  b c");
}

TEST(EncodedWords, RawBytesOutsideUtf8AreReadAsWindows1252) {
  EXPECT_EQ(DecodeHeaderText("Caf\xE9 \x80"), "Café €");
  EXPECT_EQ(DecodeHeaderText("=?bogus-charset?Q?=E9?="), "é");
}

TEST(EncodedWords, ToUtf8ConvertsFromTheNamedCharset) {
  EXPECT_EQ(ToUtf8("\xE4\xF6\xFC", "iso-8859-1"), "äöü");
  EXPECT_EQ(ToUtf8("\x93quoted\x94", "windows-1252"), "“quoted”");
  EXPECT_EQ(ToUtf8("already ü", "utf-8"), "already ü");
  EXPECT_EQ(ToUtf8("\xFC", "utf-8"), "ü");
}

}  // namespace
}  // namespace ostrel::transport
