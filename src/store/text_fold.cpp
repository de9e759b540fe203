#include "store/text_fold.h"

#include <locale.h>
#include <wctype.h>

#include <cstdint>

namespace ostrel::store {
namespace {

// The C library's small letters of every Unicode character come with its
// built-in "C.UTF-8" character set, whatever locale the program runs in.
// Without it only the letters of Windows-1252 fold.
locale_t UnicodeCharacters() {
  static const locale_t characters = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  return characters;
}

char32_t Western(char32_t c) {
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
  if (c == 0x160 || c == 0x152 || c == 0x17D) return c + 1;  // Š Œ Ž
  if (c == 0x178) return 0xFF;                               // Ÿ
  return c;
}

char32_t SmallLetter(char32_t c) {
  switch (c) {
    case 0x3C2: return 0x3C3;  // final sigma
    case 0x17F: return 's';    // long s
    default: break;
  }
  const locale_t characters = UnicodeCharacters();
  if (characters == static_cast<locale_t>(nullptr)) return Western(c);
  return static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), characters));
}

// Length of the well-formed UTF-8 sequence at text[pos] and its character,
// or 0 when none starts there.
std::size_t Decode(std::string_view text, std::size_t pos, char32_t& c) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  std::size_t length = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, c = lead & 0x1Fu, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, c = lead & 0x0Fu, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, c = lead & 0x07u, minimum = 0x10000;
  } else {
    return 0;
  }
  if (pos + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) return 0;
    c = (c << 6) | (byte(pos + i) & 0x3Fu);
  }
  if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return length;
}

void Encode(std::string& out, char32_t c) {
  char bytes[4];
  std::size_t length = 0;
  if (c < 0x80) {
    bytes[length++] = static_cast<char>(c);
  } else if (c < 0x800) {
    bytes[length++] = static_cast<char>(0xC0 | (c >> 6));
    bytes[length++] = static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    bytes[length++] = static_cast<char>(0xE0 | (c >> 12));
    bytes[length++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    bytes[length++] = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    bytes[length++] = static_cast<char>(0xF0 | (c >> 18));
    bytes[length++] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    bytes[length++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    bytes[length++] = static_cast<char>(0x80 | (c & 0x3F));
  }
  out.append(bytes, length);
}

char AsciiFolded(char byte) {
  if (byte >= 'A' && byte <= 'Z') return static_cast<char>(byte + ('a' - 'A'));
  if ((byte >= 0 && byte < 0x20) || byte == 0x7F) return ' ';
  return byte;
}

}  // namespace

void AppendFolded(std::string& out, std::string_view utf8) {
  for (std::size_t pos = 0; pos < utf8.size();) {
    // Most header text is ASCII: a run of it is folded in one go.
    std::size_t end = pos;
    while (end < utf8.size() && static_cast<unsigned char>(utf8[end]) < 0x80) ++end;
    if (end > pos) {
      const std::size_t at = out.size();
      out.append(utf8.substr(pos, end - pos));
      for (std::size_t i = at; i < out.size(); ++i) out[i] = AsciiFolded(out[i]);
      pos = end;
      continue;
    }
    char32_t c = 0;
    const std::size_t length = Decode(utf8, pos, c);
    if (length == 0) {
      out += utf8[pos];
      ++pos;
      continue;
    }
    Encode(out, c < 0xA0 ? U' ' : SmallLetter(c));
    pos += length;
  }
}

std::string FoldCase(std::string_view utf8) {
  std::string folded;
  folded.reserve(utf8.size());
  AppendFolded(folded, utf8);
  return folded;
}

}  // namespace ostrel::store
