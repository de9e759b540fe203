#pragma once
// Cipher texts and keyspace fingerprints that correspondents' stored mail
// depends on. They must never change.

#include <cstdint>
#include <string>

namespace ostrel::engine::golden {

inline constexpr const char* kDigitKey = "123456789123456789";
inline constexpr const char* kTypedKey = "Ostrel secret key!";
inline constexpr const char* kPlainText = "Hello, world";
inline constexpr const char* kDigitKeyCipherHex = "701765E6C74CF4727C782E46";
inline constexpr const char* kTypedKeyCipherHex = "FC7FDA45E47F0F481D4CB001";

// FNV-1a (64 bit) of each keyspace file under the digit key.
struct Fingerprint {
  const char* file;
  std::uint64_t fnv;
};
inline constexpr Fingerprint kDigitKeyFiles[] = {
    {"k1.bin", 1874509856929411575ULL},  {"k2.bin", 4449200977787973708ULL},
    {"k3.bin", 7122865115909785251ULL},  {"k4.bin", 7588471853811756142ULL},
    {"k5.bin", 14414146906303392229ULL}, {"k6.dat", 13966922282458927991ULL},
};

inline std::uint64_t Fnv1a(const std::string& bytes) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  return hash;
}

}  // namespace ostrel::engine::golden
