#include "transport/base64_body.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace ostrel::transport {
namespace {

constexpr std::int8_t kLineBreak = -2;
constexpr std::int8_t kPadding = -3;
constexpr std::int8_t kForeign = -1;

constexpr std::array<std::int8_t, 256> MakeValues() {
  std::array<std::int8_t, 256> values{};
  for (auto& value : values) value = kForeign;
  constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  for (std::size_t i = 0; i < kAlphabet.size(); ++i) {
    values[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::int8_t>(i);
  }
  values['\r'] = kLineBreak;
  values['\n'] = kLineBreak;
  values['='] = kPadding;
  return values;
}

constexpr std::array<std::int8_t, 256> kValues = MakeValues();

std::int8_t ValueOf(char c) { return kValues[static_cast<unsigned char>(c)]; }

// The digit's bits already in their place in a group of four, or a bit above
// the group's 24 when the character is no digit: a group costs four lookups
// and one test.
constexpr std::uint32_t kNoDigit = 1u << 24;

constexpr std::array<std::uint32_t, 256> MakePlaced(int shift) {
  std::array<std::uint32_t, 256> placed{};
  for (std::size_t c = 0; c < placed.size(); ++c) {
    placed[c] = kValues[c] >= 0 ? static_cast<std::uint32_t>(kValues[c]) << shift : kNoDigit;
  }
  return placed;
}

constexpr std::array<std::uint32_t, 256> kFirst = MakePlaced(18);
constexpr std::array<std::uint32_t, 256> kSecond = MakePlaced(12);
constexpr std::array<std::uint32_t, 256> kThird = MakePlaced(6);
constexpr std::array<std::uint32_t, 256> kFourth = MakePlaced(0);

std::uint32_t GroupAt(const char* in) {
  const auto* digits = reinterpret_cast<const unsigned char*>(in);
  return kFirst[digits[0]] | kSecond[digits[1]] | kThird[digits[2]] | kFourth[digits[3]];
}

// The group's three bytes, in one store of four: the fourth byte is spare
// room that the next group or the final size takes back.
void PutGroup(char* out, std::uint32_t bits) {
  std::uint32_t bytes = bits << 8;
  if constexpr (std::endian::native == std::endian::little) bytes = __builtin_bswap32(bytes);
  std::memcpy(out, &bytes, sizeof bytes);
}

}  // namespace

std::optional<std::string> DecodeWellFormedBase64(std::string_view text) {
  // Three bytes for every four characters, and the spare byte of PutGroup.
  std::string bytes(text.size() / 4 * 3 + 4, '\0');
  char* out = bytes.data();
  const char* in = text.data();
  const char* const end = in + text.size();
  std::uint32_t group = 0;
  int digits = 0;   // of the group under way
  int padding = 0;  // "=" seen; only line breaks may follow the group it ends
  while (in != end) {
    // Whole groups inside a line, the bulk of the text, eight digits at a time.
    if (digits == 0 && padding == 0) {
      while (end - in >= 8) {
        const std::uint32_t first = GroupAt(in);
        const std::uint32_t second = GroupAt(in + 4);
        if ((first | second) >= kNoDigit) break;
        PutGroup(out, first);
        PutGroup(out + 3, second);
        out += 6;
        in += 8;
      }
      if (end - in >= 4) {
        if (const std::uint32_t bits = GroupAt(in); bits < kNoDigit) {
          PutGroup(out, bits);
          out += 3;
          in += 4;
        }
      }
      if (in == end) break;
    }
    const std::int8_t value = ValueOf(*in++);
    if (value == kLineBreak) continue;
    if (value == kForeign) return std::nullopt;
    if (value == kPadding) {
      // "=" stands for a missing digit of the last group: two at most, and
      // at least two real digits before them.
      if (digits < 2 || ++padding > 2) return std::nullopt;
    } else if (padding != 0) {
      return std::nullopt;
    }
    group = group << 6 | static_cast<std::uint32_t>(value < 0 ? 0 : value);
    if (++digits == 4) {
      out[0] = static_cast<char>(group >> 16);
      out[1] = static_cast<char>(group >> 8);
      out[2] = static_cast<char>(group);
      out += 3 - padding;
      digits = 0;
      group = 0;
    }
  }
  if (digits != 0) return std::nullopt;
  bytes.resize(static_cast<std::size_t>(out - bytes.data()));
  return bytes;
}

}  // namespace ostrel::transport
