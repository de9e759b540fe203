#include <algorithm>
#include <cerrno>
#include <cstring>
#include <atomic>
#include <exception>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/decrypted_file_list.h"
#include "engine/engine.h"
#include "engine/work_files.h"

namespace ostrel::engine {
namespace {

// Blocks keep memory bounded for any file size: each thread holds one.
// A block of 1 MiB stays in the core's own cache between the read, the
// cipher and the write, and gives the threads enough blocks to share.
constexpr std::size_t kBlockSize = std::size_t{1} << 20;

[[noreturn]] void ThrowFileError(const std::string& what, const std::filesystem::path& path) {
  throw EngineError(what + " \"" + path.string() + "\": " + std::strerror(errno));
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int Get() const { return fd_; }
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

// Reads exactly size bytes from offset; a source that has become shorter
// since it was opened is an error, not a short cipher text.
void ReadAt(int fd, std::uint8_t* buffer, std::size_t size, std::uint64_t offset,
            const std::filesystem::path& path) {
  std::size_t got = 0;
  while (got < size) {
    const ssize_t n = ::pread(fd, buffer + got, size - got, static_cast<off_t>(offset + got));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ThrowFileError("Cannot read the file", path);
    if (n == 0) throw EngineError("The file \"" + path.string() + "\" became shorter while it was read.");
    got += static_cast<std::size_t>(n);
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

void RefuseSameFile(const std::filesystem::path& source, const std::filesystem::path& destination) {
  std::error_code error;
  const bool same = std::filesystem::exists(destination, error)
                        ? std::filesystem::equivalent(source, destination, error)
                        : std::filesystem::weakly_canonical(source, error) ==
                              std::filesystem::weakly_canonical(destination, error);
  if (same) throw EngineError("The destination \"" + destination.string() + "\" is the source file itself.");
  if (std::filesystem::is_directory(destination, error)) {
    throw EngineError("The destination \"" + destination.string() + "\" is a folder.");
  }
}

// A temporary file beside the destination, renamed over it once complete,
// so that a failed run never leaves a half file under the destination's name.
// The bytes are not flushed to disk here: a caller that goes on to delete the
// source flushes the destination first (base::SyncFile), and one that keeps
// the source loses nothing to a crash.
class PendingFile {
 public:
  explicit PendingFile(const std::filesystem::path& destination) : destination_(destination) {
    // A short name of its own, so that any destination name that fits fits here too.
    const std::filesystem::path folder = destination.parent_path().empty() ? "." : destination.parent_path();
    std::string pattern = (folder / ".ostrel-part-XXXXXX").string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) ThrowFileError("Cannot create a file beside", destination);
    file_ = std::make_unique<Descriptor>(fd);
    path_ = pattern;
  }
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;
  ~PendingFile() {
    if (!committed_) ::unlink(path_.c_str());
  }

  int Get() const { return file_->Get(); }

  void Commit() {
    if (::close(file_->Release()) != 0) ThrowFileError("Cannot write the file", destination_);
    if (::rename(path_.c_str(), destination_.c_str()) != 0) ThrowFileError("Cannot write the file", destination_);
    committed_ = true;
  }

 private:
  std::filesystem::path destination_;
  std::filesystem::path path_;
  std::unique_ptr<Descriptor> file_;
  bool committed_ = false;
};

// Ciphers a source into a destination on a few threads. The cipher works
// out its state at any position, so blocks are independent: each thread takes
// the next block that no thread has taken, reads it from its place in the
// source, ciphers it in place and writes it to the same place in the
// destination. No thread waits for another, and the threads share the
// reading and writing as evenly as the ciphering.
class BlockRun {
 public:
  struct Ends {
    int source;
    int destination;
    const std::filesystem::path& sourcePath;
    const std::filesystem::path& destinationPath;
  };

  BlockRun(const WheelCipher& cipher, Direction direction, WheelCipher::Path path, Ends ends, std::uint64_t size)
      : cipher_(cipher), direction_(direction), path_(path), ends_(ends), size_(size) {}

  // Throws the first error any thread met, once all have stopped.
  void Run(unsigned threads) {
    const std::uint64_t blocks = (size_ + kBlockSize - 1) / kBlockSize;
    // The calling thread is one of them.
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
        ReadAt(ends_.source, buffer.get(), count, from, ends_.sourcePath);
        cipher_.Transform(direction_, from, buffer.get(), buffer.get(), count, path_, 1);
        WriteAt(ends_.destination, buffer.get(), count, from, ends_.destinationPath);
      }
    } catch (...) {
      const std::lock_guard lock(errorLock_);
      if (!error_) error_ = std::current_exception();
      failed_ = true;
    }
  }

  const WheelCipher& cipher_;
  Direction direction_;
  WheelCipher::Path path_;
  Ends ends_;
  std::uint64_t size_;
  std::atomic<std::uint64_t> nextBlock_{0};
  std::atomic<bool> failed_{false};
  std::mutex errorLock_;
  std::exception_ptr error_;
};

}  // namespace

void Engine::EncryptFile(const std::filesystem::path& source, const std::filesystem::path& destination) {
  TransformFile(Direction::Encrypt, source, destination);
}

void Engine::DecryptFile(const std::filesystem::path& source, const std::filesystem::path& destination) {
  TransformFile(Direction::Decrypt, source, destination);
  try {
    AddDecryptedFile(WorkFile(kDecryptedListFile), std::filesystem::absolute(destination).string());
  } catch (const std::exception& error) {
    throw EngineError("The file was decrypted, but the list of decrypted files could not be updated: " +
                      std::string(error.what()));
  }
}

void Engine::TransformFile(Direction direction, const std::filesystem::path& source,
                           const std::filesystem::path& destination) {
  const WheelMachine machine = LoadMachine();
  Descriptor input(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
  if (input.Get() < 0) ThrowFileError("Cannot open the file", source);
  struct stat status {};
  if (::fstat(input.Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
    throw EngineError("The source \"" + source.string() + "\" is not a file.");
  }
  RefuseSameFile(source, destination);

  PendingFile output(destination);
  const WheelCipher cipher(machine);
  const auto size = static_cast<std::uint64_t>(status.st_size);
  BlockRun run(cipher, direction, CipherPath(), {input.Get(), output.Get(), source, destination}, size);
  run.Run(threads_ != 0 ? threads_ : std::max(1U, std::thread::hardware_concurrency()));
  output.Commit();
  SaveWheels(cipher.WheelsAfter(size));
  RestoreWheels();
}

}  // namespace ostrel::engine
