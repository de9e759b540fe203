#pragma once
// The fast wheel machine. It gives exactly the bytes of the machine whose
// wheels really turn and change places after every byte, but works out the
// state at any stream position directly, so that a text or file can be cut
// into pieces that run in any order, on several cores, and on the CPU's
// wide byte-lookup instructions where it has them.

#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/wheel_machine.h"
#include "engine/wheel_schedule.h"

namespace ostrel::engine {

class WheelCipher {
 public:
  // Portable runs on any CPU; Vector needs AVX-512 VBMI and falls back to
  // Portable where the CPU lacks it.
  enum class Path { Portable, Vector };

  explicit WheelCipher(const WheelMachine& machine);

  // Run-time CPU check (AVX-512 F, BW and VBMI): one binary runs everywhere.
  static bool VectorPathAvailable();

  // Transforms size bytes standing at stream positions start..start+size-1
  // (position 0 is the first byte of the text or file) on the path asked
  // for (Vector falls back to Portable where the CPU lacks it). in may equal
  // out; otherwise the two must not overlap. threads 0 lets the input's size
  // decide, up to one thread per core.
  void Transform(Direction direction, std::uint64_t start, const std::uint8_t* in,
                 std::uint8_t* out, std::size_t size, Path path, unsigned threads) const;

  // The wheels by position as they stand after count bytes.
  std::array<Wheel, kWheelCount> WheelsAfter(std::uint64_t count) const;

 private:
  WheelSchedule schedule_;
};

}  // namespace ostrel::engine
