#include <algorithm>
#include <cerrno>
#include <cstring>
#include <future>
#include <memory>
#include <system_error>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/decrypted_file_list.h"
#include "engine/engine.h"
#include "engine/work_files.h"

namespace ostrel::engine {
namespace {

// Blocks keep memory bounded for any file size while leaving the cipher
// long runs to work on. Three of them are in flight at once: one being read,
// one being ciphered, one being written.
constexpr std::size_t kBlockSize = std::size_t{4} << 20;
constexpr std::size_t kBlocksInFlight = 3;

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

// Fills the buffer as far as the source allows; returns the bytes read.
std::size_t ReadBlock(int fd, std::uint8_t* buffer, std::size_t size, const std::filesystem::path& path) {
  std::size_t got = 0;
  while (got < size) {
    const ssize_t n = ::read(fd, buffer + got, size - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ThrowFileError("Cannot read the file", path);
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  return got;
}

void WriteBlock(int fd, const std::uint8_t* buffer, std::size_t size, const std::filesystem::path& path) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd, buffer + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ThrowFileError("Cannot write the file", path);
    done += static_cast<std::size_t>(n);
  }
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

// The blocks in flight, in one mapping whose pages are all there from the
// start: a page fault per page, taken anew on every file, cost more than
// ciphering the page.
class BlockBuffers {
 public:
  explicit BlockBuffers(std::size_t blockSize) : blockSize_(blockSize), size_(blockSize * kBlocksInFlight) {
    memory_ = ::mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (memory_ == MAP_FAILED) {
      throw EngineError(std::string("Not enough memory to cipher the file: ") + std::strerror(errno));
    }
  }
  BlockBuffers(const BlockBuffers&) = delete;
  BlockBuffers& operator=(const BlockBuffers&) = delete;
  ~BlockBuffers() { ::munmap(memory_, size_); }

  std::uint8_t* Block(std::size_t index) const { return static_cast<std::uint8_t*>(memory_) + index * blockSize_; }
  std::size_t BlockSize() const { return blockSize_; }

 private:
  std::size_t blockSize_;
  std::size_t size_;
  void* memory_;
};

// Runs a piece of work on a thread of its own, or later on the caller's
// thread when no thread can be had.
template <typename Work>
auto Launch(Work work) {
  try {
    return std::async(std::launch::async, work);
  } catch (const std::system_error&) {
    return std::async(std::launch::deferred, work);
  }
}

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
  const auto sourceSize = static_cast<std::uint64_t>(std::max<off_t>(status.st_size, 1));
  const auto blockSize = static_cast<std::size_t>(std::min<std::uint64_t>(sourceSize, kBlockSize));
  BlockBuffers buffers(blockSize);
  // Declared after the buffers, so that on any error the pending read and
  // write finish before their buffers go.
  std::future<std::size_t> reading;
  std::future<void> writing;

  auto readInto = [&input, &source, &buffers](std::size_t block) {
    return Launch([fd = input.Get(), data = buffers.Block(block), size = buffers.BlockSize(), &source] {
      return ReadBlock(fd, data, size, source);
    });
  };
  // Block k lives in buffer k % 3. The next read goes into the buffer of
  // block k - 2, whose write finished before the write of block k - 1 began.
  reading = readInto(0);
  std::uint64_t done = 0;
  for (std::size_t k = 0;; ++k) {
    const std::size_t got = reading.get();
    if (got == 0) break;
    std::uint8_t* const block = buffers.Block(k % kBlocksInFlight);
    reading = readInto((k + 1) % kBlocksInFlight);
    RunCipher(cipher, direction, done, block, got);
    if (writing.valid()) writing.get();
    writing = Launch([fd = output.Get(), data = block, got, &destination] { WriteBlock(fd, data, got, destination); });
    done += got;
  }
  if (writing.valid()) writing.get();
  output.Commit();
  SaveWheels(cipher.WheelsAfter(done));
  RestoreWheels();
}

}  // namespace ostrel::engine
