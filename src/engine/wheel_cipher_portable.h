#pragma once
// The wheel machine in plain C++, for any CPU and for the ends that the
// vector path leaves over.

#include <cstddef>
#include <cstdint>

#include "engine/wheel_machine.h"
#include "engine/wheel_schedule.h"

namespace ostrel::engine {

// Transforms size bytes standing at stream positions start..; in may equal out.
void TransformPortable(const WheelSchedule& schedule, Direction direction, std::uint64_t start,
                       const std::uint8_t* in, std::uint8_t* out, std::size_t size);

}  // namespace ostrel::engine
