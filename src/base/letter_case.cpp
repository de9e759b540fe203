#include "base/letter_case.h"

#include <algorithm>
#include <cwctype>
#include <locale.h>
#include <wctype.h>

#include "base/ansi_text.h"

namespace ostrel::base {
namespace {

// The C library's small letters of every Unicode character come with its
// built-in "C.UTF-8" character set, whatever locale the process runs in.
locale_t UnicodeCase() {
  static const locale_t locale = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  return locale;
}

// Without that character set only the letters of Windows-1252 fold.
char32_t WesternLowerCase(char32_t c) {
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  if (c == 0x160 || c == 0x152 || c == 0x17D) return c + 1;  // Š Œ Ž
  if (c == 0x178) return 0xFF;                               // Ÿ
  return c;
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c; }

}  // namespace

char32_t LowerCase(char32_t c) {
  if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + 0x20 : c;
  const locale_t locale = UnicodeCase();
  if (locale == static_cast<locale_t>(nullptr)) return WesternLowerCase(c);
  return static_cast<char32_t>(::towlower_l(static_cast<wint_t>(c), locale));
}

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
