#include "engine/block_run.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <numeric>
#include <string>

#include "engine/engine.h"
#include "support/temp_folder.h"

namespace ostrel::engine {
namespace {

WheelMachine SimpleMachine() {
  WheelMachine machine;
  for (auto& wheel : machine.wheels) std::iota(wheel.begin(), wheel.end(), std::uint8_t{0});
  machine.steps.fill(1);
  machine.periodTable.fill(10);
  return machine;
}

// Failures on any of the threads reach the caller as one clear error once
// every thread has stopped.
TEST(BlockRunTest, FailuresOnAnyThreadReachTheCaller) {
  testing::TempFolder folder;
  const auto sourcePath = folder / "source.bin";
  const auto destinationPath = folder / "destination.bin";
  testing::WriteBytes(sourcePath, std::string((std::size_t{2} << 20) + 7, 'x'));
  testing::WriteBytes(destinationPath, "");
  const int source = ::open(sourcePath.c_str(), O_RDONLY);
  const int writable = ::open(destinationPath.c_str(), O_WRONLY);
  const int readOnly = ::open(destinationPath.c_str(), O_RDONLY);
  const WheelCipher cipher(SimpleMachine());
  const auto run = [&](int destination, std::uint64_t size) {
    try {
      RunBlocks(cipher, Direction::Encrypt, WheelCipher::Path::Portable,
                {source, destination, sourcePath, destinationPath}, size, 3);
    } catch (const EngineError& error) {
      return std::string(error.what());
    }
    return std::string("no error");
  };
  // A source that has become shorter than it was when it was opened.
  EXPECT_EQ(run(writable, (std::size_t{4} << 20) + 1),
            "The file \"" + sourcePath.string() + "\" became shorter while it was read.");
  EXPECT_EQ(run(readOnly, std::size_t{2} << 20).rfind("Cannot write the file \"" + destinationPath.string() + "\": ", 0),
            0u);
  EXPECT_EQ(run(writable, (std::size_t{2} << 20) + 7), "no error");
  for (const int fd : {source, writable, readOnly}) ::close(fd);
}

}  // namespace
}  // namespace ostrel::engine
