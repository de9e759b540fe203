#pragma once
// The wheel machine on AVX-512 VBMI byte lookups: 64 stretches of the input
// that lie whole cycles apart run side by side, one byte of each per vector.

#include <cstddef>
#include <cstdint>

#include "engine/wheel_machine.h"
#include "engine/wheel_schedule.h"

namespace ostrel::engine {

// Whether this CPU has the instructions the vector path uses.
bool VectorKernelAvailable();

// Transforms size bytes standing at stream positions start..; in may equal
// out. Call only when VectorKernelAvailable(). Ends too short for the vector
// lanes go through the portable path.
void TransformVector(const WheelSchedule& schedule, Direction direction, std::uint64_t start,
                     const std::uint8_t* in, std::uint8_t* out, std::size_t size);

}  // namespace ostrel::engine
