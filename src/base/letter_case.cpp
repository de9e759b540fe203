#include "base/letter_case.h"

#include <algorithm>
#include <cwctype>
#include <locale.h>
#include <wctype.h>

#include "base/ansi_text.h"

namespace ostrel::base {
namespace {

// The lower-case mappings of every Unicode letter, whatever locale the
// process runs in. Without that locale only A..Z are folded.
locale_t UnicodeCase() {
  static const locale_t locale = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  return locale;
}

char32_t LowerCase(char32_t cp) {
  if (cp < 0x80) return cp >= 'A' && cp <= 'Z' ? cp + 0x20 : cp;
  const locale_t locale = UnicodeCase();
  if (locale == static_cast<locale_t>(nullptr)) return cp;
  return static_cast<char32_t>(::towlower_l(static_cast<wint_t>(cp), locale));
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c; }

}  // namespace

std::string FoldCase(std::string_view utf8) {
  std::string folded;
  folded.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    char32_t cp = 0;
    const std::size_t length = Utf8SequenceLength(utf8, pos, &cp);
    if (length == 0) {
      folded += utf8[pos++];
      continue;
    }
    AppendUtf8(folded, LowerCase(cp));
    pos += length;
  }
  return folded;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  // File names are nearly always plain ASCII: compared without building copies.
  if (IsAscii(a) && IsAscii(b)) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
  }
  return FoldCase(a) == FoldCase(b);
}

}  // namespace ostrel::base
