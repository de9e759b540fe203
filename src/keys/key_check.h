#pragma once
// Whether a key text can serve as a key: the engine refuses a key whose
// sequence holds a wheel position outside 1..256 (a minus sign before a
// digit), and a key whose character pairs all read 0 (letters only, for
// example) expands to one and the same keyspace as every other such key.

#include <string_view>

namespace ostrel::keys {

enum class KeyVerdict { Usable, Refused, ProtectsNothing };

// keyText: the stored ANSI bytes, not empty.
KeyVerdict JudgeKeyText(std::string_view keyText);

}  // namespace ostrel::keys
