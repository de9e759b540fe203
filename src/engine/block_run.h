#pragma once
// Ciphers a file into another on a few threads, a block at a time.

#include <cstdint>
#include <filesystem>

#include "engine/wheel_cipher.h"
#include "engine/wheel_machine.h"

namespace ostrel::engine {

// The two open files of a run, and their names for the error messages.
struct BlockEnds {
  int source;
  int destination;
  const std::filesystem::path& sourcePath;
  const std::filesystem::path& destinationPath;
};

// Ciphers the first size bytes of the source into the same places of the
// destination on up to threads threads (the calling one among them), using
// memory for one block per thread whatever the size. Throws EngineError for
// the first failure any thread met, after all have stopped; a source
// shorter than size is such a failure.
void RunBlocks(const WheelCipher& cipher, Direction direction, WheelCipher::Path path, const BlockEnds& ends,
               std::uint64_t size, unsigned threads);

}  // namespace ostrel::engine
