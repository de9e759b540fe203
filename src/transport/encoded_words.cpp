#include "transport/encoded_words.h"

#include <glib.h>

#include <algorithm>
#include <cctype>
#include <optional>

#include "transport/gmime_support.h"

namespace ostrel::transport {
namespace {

struct EncodedWord {
  std::string charset;
  std::string bytes;
  size_t length = 0;  // characters of the raw text it took
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

// An encoded word starting at text[0], or nothing.
std::optional<EncodedWord> ReadEncodedWord(std::string_view text) {
  if (text.substr(0, 2) != "=?") return std::nullopt;
  const auto charsetEnd = text.find('?', 2);
  if (charsetEnd == std::string_view::npos || charsetEnd == 2 || charsetEnd + 2 >= text.size() ||
      text[charsetEnd + 2] != '?') {
    return std::nullopt;
  }
  const std::string_view charset = text.substr(2, charsetEnd - 2);
  for (const char c : charset) {
    if (!IsCharsetCharacter(c)) return std::nullopt;
  }
  const char encoding = static_cast<char>(std::toupper(static_cast<unsigned char>(text[charsetEnd + 1])));
  if (encoding != 'B' && encoding != 'Q') return std::nullopt;
  const size_t payloadStart = charsetEnd + 3;
  const auto payloadEnd = text.find("?=", payloadStart);
  if (payloadEnd == std::string_view::npos) return std::nullopt;
  const std::string_view payload = text.substr(payloadStart, payloadEnd - payloadStart);
  if (payload.find_first_of(" \t") != std::string_view::npos) return std::nullopt;

  EncodedWord word;
  word.charset = std::string(charset.substr(0, charset.find('*')));  // drop an RFC 2231 language
  if (encoding == 'B') {
    auto bytes = DecodeB(payload);
    // A word that does not decode is shown as it stands (RFC 2047, 6.3).
    if (!bytes) return std::nullopt;
    word.bytes = std::move(*bytes);
  } else {
    word.bytes = DecodeQ(payload);
  }
  word.length = payloadEnd + 2;
  return word;
}

bool IsValidUtf8(std::string_view bytes) {
  return g_utf8_validate(bytes.data(), static_cast<gssize>(bytes.size()), nullptr) != 0;
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

  std::string literal;
  bool afterWord = false;
  size_t i = 0;
  while (i < text.size()) {
    if (auto word = ReadEncodedWord(text.substr(i))) {
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
