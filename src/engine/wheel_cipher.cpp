#include "engine/wheel_cipher.h"

#include <algorithm>
#include <system_error>
#include <thread>
#include <vector>

#include "engine/wheel_cipher_portable.h"
#include "engine/wheel_cipher_vector.h"

namespace ostrel::engine {

namespace {

// Below this many bytes per thread, starting a thread costs more than it saves.
constexpr std::size_t kMinBytesPerThread = std::size_t{1} << 18;

unsigned CoreCount() { return std::max(1U, std::thread::hardware_concurrency()); }

unsigned ThreadsFor(std::size_t size) {
  return static_cast<unsigned>(
      std::min<std::size_t>(CoreCount(), std::max<std::size_t>(1, size / kMinBytesPerThread)));
}

}  // namespace

WheelCipher::WheelCipher(const WheelMachine& machine) : schedule_(machine) {}

bool WheelCipher::VectorPathAvailable() { return VectorKernelAvailable(); }

void WheelCipher::Transform(Direction direction, std::uint64_t start, const std::uint8_t* in,
                            std::uint8_t* out, std::size_t size, Path path,
                            unsigned threads) const {
  const bool vector = path == Path::Vector && VectorKernelAvailable();
  // Every piece works out its own starting state, so pieces are independent.
  auto runPiece = [&](std::size_t from, std::size_t count) {
    if (vector) {
      TransformVector(schedule_, direction, start + from, in + from, out + from, count);
    } else {
      TransformPortable(schedule_, direction, start + from, in + from, out + from, count);
    }
  };
  if (threads == 0) threads = ThreadsFor(size);
  const std::size_t pieces = std::clamp<std::size_t>(threads, 1, std::max<std::size_t>(size, 1));
  if (pieces == 1) {
    runPiece(0, size);
    return;
  }
  std::vector<std::thread> workers;
  workers.reserve(pieces - 1);
  const std::size_t share = size / pieces;
  for (std::size_t k = 1; k < pieces; ++k) {
    const std::size_t from = k * share;
    const std::size_t count = k + 1 == pieces ? size - from : share;
    try {
      workers.emplace_back(runPiece, from, count);
    } catch (const std::system_error&) {
      // No thread to be had: this thread does the piece itself.
      runPiece(from, count);
    }
  }
  runPiece(0, share);
  for (auto& worker : workers) worker.join();
}

std::array<Wheel, kWheelCount> WheelCipher::WheelsAfter(std::uint64_t count) const {
  const WheelPhase phase = schedule_.PhaseAt(count);
  std::array<Wheel, kWheelCount> wheels{};
  for (int p = 0; p < kWheelCount; ++p) {
    const int w = WheelSchedule::WheelAt(p, phase.period);
    const Wheel& contents = schedule_.Forward(w);
    const std::uint8_t offset = phase.offsets[static_cast<std::size_t>(w)];
    auto& wheel = wheels[static_cast<std::size_t>(p)];
    for (std::size_t i = 0; i < kWheelLength; ++i) {
      wheel[i] = contents[static_cast<std::uint8_t>(i + offset)];
    }
  }
  return wheels;
}

}  // namespace ostrel::engine
