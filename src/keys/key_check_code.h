#pragma once
// A key's check code: four groups of four characters, "7K3M-Q0XD-...", that
// two correspondents read to each other (by phone, say) to confirm that they
// hold the same key, without saying the key itself. A single wrong character
// in a key gives a different code.
//
// The code is the start of a SHA-256 digest of a fixed label followed by the
// key, written in Crockford's base 32: digits and upper-case letters without
// I, L, O and U, so that nothing is misread or misheard.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keys/key_store.h"

namespace ostrel::keys {

// "XXXX-XXXX-XXXX-XXXX".
inline constexpr std::size_t kKeyCheckCodeLength = 19;

// storedKeyText: a key text as "key.dat" holds it (the ANSI bytes, trimmed),
// not empty. Keys that give the same keyspace give the same code.
std::string KeyCheckCode(std::string_view storedKeyText);

// A key text as typed (UTF-8) to the bytes the key store would hold for it:
// at most 18 stored bytes, trimmed of blanks. Empty when nothing is left.
std::string StoredKeyText(std::string_view typedKey);

// The code of a typed key; nothing when it holds no key.
std::optional<std::string> TypedKeyCheckCode(std::string_view typedKey);

// The code of the key that choosing this name in a key list would load (the
// first record of that name); nothing when no record has the name.
std::optional<std::string> KeyCheckCodeOfName(const std::vector<KeyRecord>& records, std::string_view name);

}  // namespace ostrel::keys
