#pragma once
// Shuffles the 20 wheels of a keyspace out of the key sequence.

#include <array>

#include "engine/engine.h"

namespace ostrel::engine {

// Every entry of the sequence must lie in 1..256.
std::array<Wheel, kWheelCount> BuildWheels(const KeySequence& sequence);

}  // namespace ostrel::engine
