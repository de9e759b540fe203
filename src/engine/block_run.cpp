#include "engine/block_run.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <exception>
#include <memory>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <vector>
#include <fcntl.h>
#include <unistd.h>

#include "base/read_at.h"
#include "engine/engine.h"
#include "engine/work_folder_io.h"

namespace ostrel::engine {
namespace {

// Blocks keep memory bounded for any file size: each thread holds one.
// A block of 1 MiB stays in the core's own cache between the read, the
// cipher and the write, and gives the threads enough blocks to share.
constexpr std::size_t kBlockSize = std::size_t{1} << 20;

// Reads exactly size bytes from offset; a source that has become shorter
// since it was opened is an error, not a short cipher text.
void ReadExactly(int fd, std::uint8_t* buffer, std::size_t size, std::uint64_t offset,
                 const std::filesystem::path& path) {
  const std::ptrdiff_t got = base::ReadAt(fd, buffer, size, offset);
  if (got < 0) ThrowFileError("Cannot read the file", path);
  if (static_cast<std::size_t>(got) < size) {
    throw EngineError("The file \"" + path.string() + "\" became shorter while it was read.");
  }
}

void WriteAt(int fd, const std::uint8_t* buffer, std::size_t size, std::uint64_t offset,
             const std::filesystem::path& path) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pwrite(fd, buffer + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ThrowFileError("Cannot write the file", path);
    done += static_cast<std::size_t>(n);
  }
  // Starts the write to disk now, while the other blocks are ciphered. Left
  // to the end, the file system would do it all in the rename that puts the
  // file in place (it writes out a file renamed over another), with nothing
  // else left to overlap it.
  ::sync_file_range(fd, static_cast<off_t>(offset), static_cast<off_t>(size), SYNC_FILE_RANGE_WRITE);
}

// The cipher works out its state at any position, so blocks are
// independent: each thread takes the next block that no thread has taken,
// reads it from its place in the source, ciphers it in place and writes it
// to the same place in the destination. No thread waits for another, and the
// threads share the reading and writing as evenly as the ciphering.
class BlockRun {
 public:
  BlockRun(const WheelCipher& cipher, Direction direction, WheelCipher::Path path, const BlockEnds& ends,
           std::uint64_t size)
      : cipher_(cipher), direction_(direction), path_(path), ends_(ends), size_(size) {}

  void Run(unsigned threads) {
    const std::uint64_t blocks = (size_ + kBlockSize - 1) / kBlockSize;
    const auto helpers = static_cast<unsigned>(std::clamp<std::uint64_t>(blocks, 1, std::max(threads, 1U)) - 1);
    std::vector<std::thread> workers;
    workers.reserve(helpers);
    for (unsigned k = 0; k < helpers; ++k) {
      try {
        workers.emplace_back([this] { Work(); });
      } catch (const std::system_error&) {
        break;  // no thread to be had: fewer threads share the blocks
      }
    }
    Work();
    for (auto& worker : workers) worker.join();
    if (error_) std::rethrow_exception(error_);
  }

 private:
  void Work() noexcept {
    try {
      const auto buffer = std::make_unique_for_overwrite<std::uint8_t[]>(
          static_cast<std::size_t>(std::min<std::uint64_t>(size_, kBlockSize)));
      while (!failed_.load(std::memory_order_relaxed)) {
        const std::uint64_t from = nextBlock_.fetch_add(1) * kBlockSize;
        if (from >= size_) break;
        const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, size_ - from));
        ReadExactly(ends_.source, buffer.get(), count, from, ends_.sourcePath);
        cipher_.Transform(direction_, from, buffer.get(), buffer.get(), count, path_, 1);
        WriteAt(ends_.destination, buffer.get(), count, from, ends_.destinationPath);
      }
    } catch (const std::bad_alloc&) {
      Fail(std::make_exception_ptr(EngineError("Not enough memory to cipher the file.")));
    } catch (...) {
      Fail(std::current_exception());
    }
  }

  void Fail(std::exception_ptr error) {
    const std::lock_guard lock(errorLock_);
    if (!error_) error_ = std::move(error);
    failed_ = true;
  }

  const WheelCipher& cipher_;
  Direction direction_;
  WheelCipher::Path path_;
  const BlockEnds& ends_;
  std::uint64_t size_;
  std::atomic<std::uint64_t> nextBlock_{0};
  std::atomic<bool> failed_{false};
  std::mutex errorLock_;
  std::exception_ptr error_;
};

}  // namespace

void RunBlocks(const WheelCipher& cipher, Direction direction, WheelCipher::Path path, const BlockEnds& ends,
               std::uint64_t size, unsigned threads) {
  BlockRun(cipher, direction, path, ends, size).Run(threads);
}

}  // namespace ostrel::engine
