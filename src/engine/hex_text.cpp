#include "engine/hex_text.h"

#include "base/text_pieces.h"
#include "engine/engine.h"

namespace ostrel::engine {
namespace {

constexpr std::string_view kDigits = "0123456789ABCDEF";
constexpr int kBytesPerLine = 40;

}  // namespace

std::string HexEncode(std::string_view text) {
  std::string hex;
  hex.reserve(text.size() * 2 + text.size() / kBytesPerLine * 2);
  int onLine = 0;
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    hex += kDigits[code >> 4];
    hex += kDigits[code & 0x0F];
    if (++onLine == kBytesPerLine) {
      onLine = 0;
      hex += base::kLineEnd;
    }
  }
  return hex;
}

std::string HexDecode(std::string& text) {
  std::string digits;
  digits.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') continue;
    if (kDigits.find(c) == std::string_view::npos) {
      throw EngineError("The cipher text is not valid hex text: character " + std::to_string(i + 1) +
                        " is not one of 0-9 and A-F.");
    }
    digits += c;
  }
  std::string decoded;
  decoded.reserve((digits.size() + 1) / 2);
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    const auto high = kDigits.find(digits[i]);
    const auto low = i + 1 < digits.size() ? kDigits.find(digits[i + 1]) : 0;
    decoded += static_cast<char>(high * 16 + low);
  }
  text = decoded;
  return decoded;
}

}  // namespace ostrel::engine
