#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <system_error>
#include <thread>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/file_descriptor.h"
#include "base/safe_file.h"
#include "engine/block_run.h"
#include "engine/decrypted_file_list.h"
#include "engine/engine.h"
#include "engine/work_files.h"
#include "engine/work_folder_io.h"

namespace ostrel::engine {
namespace {

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

// A temporary file beside the destination (base::PendingFile), renamed over
// it once complete, so that a failed run never leaves a half file under the
// destination's name. The bytes are not flushed to disk here: a caller that
// goes on to delete the source flushes the destination first
// (base::SyncFile), and one that keeps the source loses nothing to a crash.
class PendingFile {
 public:
  explicit PendingFile(const std::filesystem::path& destination) : destination_(destination) {
    try {
      // Readable by the user alone, like any deciphered text.
      file_ = std::make_unique<base::PendingFile>(destination, base::Privacy::Private);
    } catch (const std::system_error& error) {
      errno = error.code().value();
      ThrowFileError("Cannot create a file beside", destination);
    }
  }

  int Get() const { return file_->Descriptor(); }

  void Commit() {
    try {
      file_->Commit();
    } catch (const std::system_error& error) {
      errno = error.code().value();
      ThrowFileError("Cannot write the file", destination_);
    }
  }

 private:
  std::filesystem::path destination_;
  std::unique_ptr<base::PendingFile> file_;
};

}  // namespace

void Engine::EncryptFile(const std::filesystem::path& source, const std::filesystem::path& destination) {
  TransformFile(Direction::Encrypt, source, destination);
}

void Engine::DecryptFile(const std::filesystem::path& source, const std::filesystem::path& destination) {
  TransformFile(Direction::Decrypt, source, destination);
  try {
    AddDecryptedFile(DecryptedListFile(), std::filesystem::absolute(destination).string());
  } catch (const std::exception& error) {
    throw EngineError("The file was decrypted, but the list of decrypted files could not be updated: " +
                      std::string(error.what()));
  }
}

void Engine::TransformFile(Direction direction, const std::filesystem::path& source,
                           const std::filesystem::path& destination) {
  const WheelMachine machine = LoadMachine();
  base::FileDescriptor input(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
  if (input.get() < 0) ThrowFileError("Cannot open the file", source);
  struct stat status {};
  if (::fstat(input.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
    throw EngineError("The source \"" + source.string() + "\" is not a file.");
  }
  RefuseSameFile(source, destination);

  PendingFile output(destination);
  const WheelCipher cipher(machine);
  const auto size = static_cast<std::uint64_t>(status.st_size);
  const unsigned threads = threads_ != 0 ? threads_ : std::max(1U, std::thread::hardware_concurrency());
  RunBlocks(cipher, direction, CipherPath(), {input.get(), output.Get(), source, destination}, size, threads);
  output.Commit();
  SaveWheels(cipher.WheelsAfter(size));
  RestoreWheels();
}

}  // namespace ostrel::engine
