#pragma once
// The key text and its expansion into the key sequence: 12320 entries that
// drive the wheel shuffling and the wheel settings.

#include <string>
#include <string_view>

#include "engine/engine.h"

namespace ostrel::engine {

// The key repeated end to end and cut to 18 characters. keyText must not be
// empty.
std::string NormaliseKey(std::string_view keyText);

// The key sequence of a normalised key, entries normalised, entry 0 unused.
KeySequence ExpandKeySequence(std::string_view normalisedKey);

// The first entry outside 1..256 (a wheel position), or 0 when all are in
// range. Only keys with a minus sign before a digit produce such entries.
std::int32_t FirstEntryOutOfRange(const KeySequence& sequence);

}  // namespace ostrel::engine
