#include "engine/wheel_cipher_vector.h"

#include "engine/wheel_cipher_portable.h"

namespace ostrel::engine {

bool VectorKernelAvailable() { return false; }

void TransformVector(const WheelSchedule& schedule, Direction direction, std::uint64_t start,
                     const std::uint8_t* in, std::uint8_t* out, std::size_t size) {
  TransformPortable(schedule, direction, start, in, out, size);
}

}  // namespace ostrel::engine
