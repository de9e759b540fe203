#include "transport/encoded_words.h"

#include <glib.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>

#include "base/ansi_text.h"
#include "transport/gmime_support.h"

namespace ostrel::transport {
namespace {

struct EncodedWord {
  std::string charset;
  std::string bytes;
  size_t length = 0;     // characters of the raw text it took
  bool decoded = true;  // false: the raw text stands for itself
};

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string DecodeQ(std::string_view text) {
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '_') {
      bytes += ' ';
    } else if (c == '=' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
               HexValue(text[i + 2]) >= 0) {
      bytes += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      bytes += c;
    }
  }
  return bytes;
}

// Nothing when the text is not base64: a character outside the alphabet,
// anything after the padding, or a last group too short to make a byte.
std::optional<std::string> DecodeB(std::string_view text) {
  static constexpr std::string_view kAlphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  const std::size_t padding = text.size() - std::min(text.size(), text.find('='));
  const std::string_view digits = text.substr(0, text.size() - padding);
  if (padding > 2 || text.find_first_not_of('=', digits.size()) != std::string_view::npos) return std::nullopt;
  if (digits.size() % 4 == 1 || (padding > 0 && text.size() % 4 != 0)) return std::nullopt;
  std::string bytes;
  unsigned int bits = 0;
  int count = 0;
  for (const char c : digits) {
    const auto value = kAlphabet.find(c);
    if (value == std::string_view::npos) return std::nullopt;
    bits = (bits << 6) | static_cast<unsigned int>(value);
    count += 6;
    if (count >= 8) {
      count -= 8;
      bytes += static_cast<char>((bits >> count) & 0xFFu);
    }
  }
  return bytes;
}

bool IsCharsetCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '_' || c == '.' ||
         c == ':' || c == '*';
}

// Finds the encoded words of one header text in a single pass. A word's
// payload runs to the first "?=" and holds no blank, so a search for its end
// stops at the first blank; and when a search fails, every word that would
// start its payload before the place where that search stopped fails the
// same way. Remembering that place keeps a header full of "=?" that never
// close (or close only past a blank) as cheap to read as plain text.
class EncodedWordReader {
 public:
  explicit EncodedWordReader(std::string_view text) : text_(text) {}

  // The encoded word starting at text[start], or nothing.
  std::optional<EncodedWord> ReadAt(size_t start) {
    if (text_.compare(start, 2, "=?") != 0) return std::nullopt;
    size_t charsetEnd = start + 2;
    while (charsetEnd < text_.size() && IsCharsetCharacter(text_[charsetEnd])) ++charsetEnd;
    if (charsetEnd == start + 2 || charsetEnd + 2 >= text_.size() || text_[charsetEnd] != '?' ||
        text_[charsetEnd + 2] != '?') {
      return std::nullopt;
    }
    const char encoding = static_cast<char>(std::toupper(static_cast<unsigned char>(text_[charsetEnd + 1])));
    if (encoding != 'B' && encoding != 'Q') return std::nullopt;

    const size_t payloadStart = charsetEnd + 3;
    if (payloadStart <= noEndUpTo_) return std::nullopt;
    size_t end = payloadStart;
    while (end < text_.size() && text_[end] != ' ' && text_[end] != '\t' &&
           !(text_[end] == '?' && end + 1 < text_.size() && text_[end + 1] == '=')) {
      ++end;
    }
    if (end == text_.size() || text_[end] != '?') {
      noEndUpTo_ = end;
      return std::nullopt;
    }
    const std::string_view charset = text_.substr(start + 2, charsetEnd - start - 2);
    const std::string_view payload = text_.substr(payloadStart, end - payloadStart);
    EncodedWord word;
    word.charset = std::string(charset.substr(0, charset.find('*')));  // drop an RFC 2231 language
    word.length = end + 2 - start;
    if (encoding == 'B') {
      auto bytes = DecodeB(payload);
      // A word that does not decode is shown as it stands (RFC 2047, 6.3).
      word.decoded = bytes.has_value();
      if (bytes) word.bytes = std::move(*bytes);
    } else {
      word.bytes = DecodeQ(payload);
    }
    return word;
  }

 private:
  std::string_view text_;
  // No payload that starts at or before this place ends before a blank.
  size_t noEndUpTo_ = 0;
};

bool IsValidUtf8(std::string_view bytes) {
  // GLib takes no NUL byte as UTF-8. Only what follows the ASCII start, most
  // of a mail body, needs its slower look.
  if (bytes.empty()) return true;
  if (std::memchr(bytes.data(), 0, bytes.size()) != nullptr) return false;
  const std::string_view rest = bytes.substr(base::AsciiPrefixLength(bytes));
  return g_utf8_validate(rest.data(), static_cast<gssize>(rest.size()), nullptr) != 0;
}

std::string FromWindows1252(std::string_view bytes) {
  gsize written = 0;
  char* converted = g_convert(bytes.data(), static_cast<gssize>(bytes.size()), "UTF-8",
                              "WINDOWS-1252", nullptr, &written, nullptr);
  if (converted) return std::string(GCharPtr(converted).get(), written);
  // Five bytes are undefined in Windows-1252; ISO-8859-1 maps every byte.
  converted = g_convert(bytes.data(), static_cast<gssize>(bytes.size()), "UTF-8", "ISO-8859-1",
                        nullptr, &written, nullptr);
  return converted ? std::string(GCharPtr(converted).get(), written) : std::string();
}

std::string UnencodedText(std::string_view bytes) {
  return IsValidUtf8(bytes) ? std::string(bytes) : FromWindows1252(bytes);
}

}  // namespace

std::string ToUtf8(std::string_view bytes, const std::string& charset) {
  std::string name = charset;
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (name.empty() || name == "UTF-8" || name == "UTF8" || name == "US-ASCII" || name == "ASCII") {
    return UnencodedText(bytes);
  }
  gsize written = 0;
  char* converted = g_convert(bytes.data(), static_cast<gssize>(bytes.size()), "UTF-8",
                              name.c_str(), nullptr, &written, nullptr);
  if (converted) return std::string(GCharPtr(converted).get(), written);
  return FromWindows1252(bytes);
}

std::string DecodeHeaderText(std::string_view raw) {
  std::string unfolded;
  unfolded.reserve(raw.size());
  for (const char c : raw) {
    if (c != '\r' && c != '\n') unfolded += c;
  }
  const std::string_view text = unfolded;

  std::string result;
  std::string pendingBytes;  // bytes of adjacent encoded words in one charset
  std::string pendingCharset;
  const auto flushWords = [&] {
    if (!pendingCharset.empty() || !pendingBytes.empty()) {
      result += ToUtf8(pendingBytes, pendingCharset);
    }
    pendingBytes.clear();
    pendingCharset.clear();
  };

  EncodedWordReader reader(text);
  std::string literal;
  bool afterWord = false;
  size_t i = 0;
  while (i < text.size()) {
    const size_t next = std::min(text.find("=?", i), text.size());
    literal.append(text.substr(i, next - i));
    i = next;
    if (i == text.size()) break;
    auto word = reader.ReadAt(i);
    if (word && !word->decoded) {
      // Kept whole as plain text, and passed over whole, so that an opening
      // inside it is not read again.
      literal.append(text.substr(i, word->length));
      afterWord = false;
      i += word->length;
      continue;
    }
    if (word) {
      const bool onlyBlanksBetween = afterWord && literal.find_first_not_of(" \t") == std::string::npos;
      if (!onlyBlanksBetween) {
        flushWords();
        result += UnencodedText(literal);
      } else if (word->charset != pendingCharset) {
        flushWords();
      }
      literal.clear();
      pendingCharset = word->charset;
      pendingBytes += word->bytes;
      afterWord = true;
      i += word->length;
      continue;
    }
    literal += text[i];
    ++i;
  }
  flushWords();
  result += UnencodedText(literal);

  for (char& c : result) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  return result;
}

}  // namespace ostrel::transport
