#include "keys/key_check_code.h"

#include <openssl/evp.h>

#include <array>
#include <stdexcept>

#include "base/ansi_text.h"
#include "base/fixed_records.h"
#include "engine/key_sequence.h"

namespace ostrel::keys {
namespace {

// Changing the label changes every code: correspondents on different
// versions must agree on it.
constexpr std::string_view kLabel = "Ostrel key check code v1:";
constexpr std::string_view kAlphabet = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
constexpr std::size_t kGroups = 4;
constexpr std::size_t kGroupLength = 4;

std::array<unsigned char, 32> Sha256(std::string_view bytes) {
  std::array<unsigned char, 32> digest{};
  unsigned int length = 0;
  if (EVP_Digest(bytes.data(), bytes.size(), digest.data(), &length, EVP_sha256(), nullptr) != 1 ||
      length != digest.size()) {
    throw std::runtime_error("SHA-256 is not available from the crypto library");
  }
  return digest;
}

}  // namespace

std::string KeyCheckCode(std::string_view storedKeyText) {
  if (storedKeyText.empty()) throw std::invalid_argument("an empty key has no check code");
  // The engine repeats and cuts every key to 18 characters before expanding
  // it, so "abc" and "abcabcabcabcabcabc" are one keyspace; hashing that
  // normalised form of the stored (Windows-1252) bytes gives both one code,
  // and a key typed with the same characters on either side gives the same
  // bytes whatever the machine's own character set.
  std::string message(kLabel);
  message += engine::NormaliseKey(storedKeyText);
  const auto digest = Sha256(message);

  // 16 characters of 5 bits each: the first 80 bits of the digest, most
  // significant bit first.
  std::string code;
  for (std::size_t i = 0; i < kGroups * kGroupLength; ++i) {
    if (i > 0 && i % kGroupLength == 0) code += '-';
    unsigned value = 0;
    for (std::size_t bit = i * 5; bit < i * 5 + 5; ++bit) {
      value = (value << 1) | ((static_cast<unsigned>(digest[bit / 8]) >> (7 - bit % 8)) & 1u);
    }
    code += kAlphabet[value];
  }
  return code;
}

std::string StoredKeyText(std::string_view typedKey) {
  const std::string stored = base::ToAnsi(typedKey);
  return std::string(base::TrimBlanks(base::CutToWidth(stored, kKeyTextWidth)));
}

std::optional<std::string> TypedKeyCheckCode(std::string_view typedKey) {
  const std::string stored = StoredKeyText(typedKey);
  if (stored.empty()) return std::nullopt;
  return KeyCheckCode(stored);
}

std::optional<std::string> KeyCheckCodeOfName(const std::vector<KeyRecord>& records, std::string_view name) {
  const auto record = FindKey(records, name);
  if (!record || record->keyText.empty()) return std::nullopt;
  return KeyCheckCode(record->keyText);
}

}  // namespace ostrel::keys
