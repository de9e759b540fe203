#include "transport/encoded_words.h"

#include <gtest/gtest.h>

namespace ostrel::transport {
namespace {

TEST(EncodedWords, DecodesHeaderTextToUtf8) {
  const std::pair<const char*, const char*> cases[] = {
      {"=?UTF-8?B?SGVsbG8=?= =?UTF-8?B?IHdvcmxk?=", "Hello world"},
      // "ü" is C3 BC; the first word ends after C3.
      {"=?UTF-8?B?R3LD?= =?UTF-8?B?vMOfZQ==?=", "Grüße"},
      {"=?ISO-8859-1?Q?Caf=E9_cr=E8me?=", "Café crème"},
      {"=?utf-8*en?Q?language_tag?=", "language tag"},
      {" a folded\r\n subject", " a folded subject"},
      // Blanks between a word and plain text stay; between two words they go.
      {"=?UTF-8?Q?a?=   =?UTF-8?Q?b?= c", "ab c"},
      {"=?UTF-8?X?abc?=", "=?UTF-8?X?abc?="},
      {"50% =? off", "50% =? off"},
      // A payload ends at the first "?=" and holds no blank; a word that
      // fails stays as it is and does not stop the next one.
      {"=?UTF-8?Q?a =?UTF-8?Q?b?=", "=?UTF-8?Q?a b"},
      {"=?UTF-8?Q?a=?UTF-8?Q?b?=", "a=?UTF-8?Q?b"},
      {"=?UTF-8?Q?a?b?=c", "a?bc"},
      {"=?UTF-8?Q?a=0D=0Ab=00c?=", "a  b c"},
      {"Caf\xE9 \x80", "Café €"},
      {"=?bogus-charset?Q?=E9?=", "é"},
      {"=?UTF-8?Q?=FC?=", "ü"},  // a charset named wrongly: the bytes are no UTF-8
  };
  for (const auto& [raw, decoded] : cases) EXPECT_EQ(DecodeHeaderText(raw), decoded) << raw;
}

TEST(EncodedWords, AWordThatIsNotBase64IsShownAsItStands) {
  struct Case {
    const char* raw;
    const char* shown;
  };
  const Case cases[] = {
      {"=?UTF-8?B?SGVsbG8===?=", "=?UTF-8?B?SGVsbG8===?="},    // more padding than a group has
      {"=?UTF-8?B?SGVsb?=", "=?UTF-8?B?SGVsb?="},              // one digit cannot make a byte
      // A character outside the alphabet; the next word still decodes.
      {"Re: =?UTF-8?B?#####?= and =?UTF-8?Q?ok?=", "Re: =?UTF-8?B?#####?= and ok"},
      // The blank before a word shown as it stands is plain text, and stays.
      {"=?UTF-8?B?SGVsbG8=?= =?UTF-8?B?@@?=", "Hello =?UTF-8?B?@@?="},
      // Base64 without its padding still decodes.
      {"=?UTF-8?B?SGVsbG8?=", "Hello"},
      {"=?UTF-8?B?" "?=", ""},  // (split: "??=" would read as a trigraph)
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeHeaderText(c.raw), c.shown) << c.raw;
}

}  // namespace
}  // namespace ostrel::transport
