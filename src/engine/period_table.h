#pragma once
// The order periods: after how many bytes the wheels change places, 200
// entries grown from a three-digit seed.

#include <array>
#include <cstddef>
#include <string>

#include "engine/engine.h"

namespace ostrel::engine {

// seed: three decimal digits.
PeriodTable MakePeriodTable(const std::string& seed);

// The seed a key sequence gives: entries 20 and 21 multiplied, brought into
// 10..999, written with three digits.
std::string PeriodSeed(const KeySequence& sequence);

}  // namespace ostrel::engine
