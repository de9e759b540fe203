#include "base/ansi_text.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>

namespace ostrel::base {
namespace {

// Code points of bytes 0x80..0x9F in Windows-1252. The five bytes the code
// page leaves undefined map to the C1 control of the same value, as the
// platform's own conversion does, so every byte survives a round trip.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t Cp1252ToCodePoint(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80u];
  return byte;
}

std::optional<unsigned char> CodePointToCp1252(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == cp) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    pos += AsciiPrefixLength(text.substr(pos));
    if (pos == text.size()) break;
    char32_t cp = 0;
    const std::size_t length = Utf8SequenceLength(text, pos, &cp);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

}  // namespace

std::size_t AsciiPrefixLength(std::string_view text) {
  // Eight bytes at a time: a word without a high bit is eight ASCII bytes.
  constexpr std::uint64_t kHighBits = 0x8080808080808080u;
  std::size_t pos = 0;
  for (; pos + sizeof(std::uint64_t) <= text.size(); pos += sizeof(std::uint64_t)) {
    std::uint64_t word = 0;
    std::memcpy(&word, text.data() + pos, sizeof word);
    if ((word & kHighBits) != 0) break;
  }
  while (pos < text.size() && static_cast<unsigned char>(text[pos]) < 0x80) ++pos;
  return pos;
}

void AppendUtf8(std::string& out, char32_t cp) {
  // Built apart and appended in one go: the box search folds whole boxes
  // through here.
  char bytes[4];
  std::size_t length = 0;
  if (cp < 0x80) {
    bytes[length++] = static_cast<char>(cp);
  } else if (cp < 0x800) {
    bytes[length++] = static_cast<char>(0xC0 | (cp >> 6));
    bytes[length++] = static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    bytes[length++] = static_cast<char>(0xE0 | (cp >> 12));
    bytes[length++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    bytes[length++] = static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    bytes[length++] = static_cast<char>(0xF0 | (cp >> 18));
    bytes[length++] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    bytes[length++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    bytes[length++] = static_cast<char>(0x80 | (cp & 0x3F));
  }
  out.append(bytes, length);
}

// Length of the well-formed UTF-8 sequence starting at text[pos], or 0 when
// none starts there (overlong forms, surrogates and values past U+10FFFF are
// not well-formed).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos, char32_t* cp) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  std::size_t length = 0;
  char32_t value = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    *cp = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, value = lead & 0x1Fu, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, value = lead & 0x0Fu, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, value = lead & 0x07u, minimum = 0x10000;
  } else {
    return 0;
  }
  if (pos + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char next = byte(pos + i);
    if ((next & 0xC0) != 0x80) return 0;
    value = (value << 6) | (next & 0x3Fu);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  *cp = value;
  return length;
}

bool IsNonAsciiUtf8(std::string_view bytes) {
  const std::size_t ascii = AsciiPrefixLength(bytes);
  return ascii < bytes.size() && IsValidUtf8(bytes.substr(ascii));
}

std::string ToAnsi(std::string_view utf8) {
  if (!IsValidUtf8(utf8)) return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::size_t ascii = AsciiPrefixLength(utf8.substr(pos));
    out.append(utf8.substr(pos, ascii));
    pos += ascii;
    if (pos == utf8.size()) break;
    char32_t cp = 0;
    pos += Utf8SequenceLength(utf8, pos, &cp);
    const auto single = CodePointToCp1252(cp);
    if (!single) return std::string(utf8);
    out += static_cast<char>(*single);
  }
  return out;
}

std::string FromAnsi(std::string_view bytes) {
  if (IsNonAsciiUtf8(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
    const std::size_t ascii = AsciiPrefixLength(bytes.substr(pos));
    out.append(bytes.substr(pos, ascii));
    pos += ascii;
    if (pos == bytes.size()) break;
    AppendUtf8(out, Cp1252ToCodePoint(static_cast<unsigned char>(bytes[pos])));
  }
  return out;
}

std::string_view CutToWidth(std::string_view bytes, std::size_t width) {
  if (bytes.size() <= width) return bytes;
  if (!IsNonAsciiUtf8(bytes)) return bytes.substr(0, width);
  std::size_t cut = 0;
  for (std::size_t pos = 0; pos < bytes.size();) {
    char32_t cp = 0;
    const std::size_t length = Utf8SequenceLength(bytes, pos, &cp);
    if (pos + length > width) break;
    pos += length;
    cut = pos;
  }
  return bytes.substr(0, cut);
}

}  // namespace ostrel::base
