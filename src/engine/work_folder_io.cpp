#include "engine/work_folder_io.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

#include "base/safe_file.h"
#include "engine/engine.h"

namespace ostrel::engine {

void WriteWorkFile(const std::filesystem::path& path, std::string_view bytes) {
  try {
    base::ReplaceScratchFile(path, bytes, base::Privacy::Private);
  } catch (const std::system_error& error) {
    throw EngineError("Cannot write the work file \"" + path.filename().string() + "\": " + error.what());
  }
}

void WriteScratchWorkFile(const std::filesystem::path& path, std::string_view bytes) {
  try {
    base::ReplaceScratchFile(path, bytes, base::Privacy::Private);
  } catch (const std::system_error& error) {
    throw EngineError("Cannot write the work file \"" + path.filename().string() + "\": " + error.what());
  }
}

std::optional<std::string> ReadWorkFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return std::nullopt;
  std::optional<std::string> bytes = base::ReadWholeFile(path);
  if (!bytes) throw EngineError("Cannot read the work file \"" + path.filename().string() + "\".");
  return bytes;
}

std::uintmax_t EnsureWorkFile(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) {
    throw EngineError("Cannot open the work file \"" + path.filename().string() + "\": " + std::strerror(errno));
  }
  ::close(fd);
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) throw EngineError("Cannot read the work file \"" + path.filename().string() + "\".");
  return size;
}

void ThrowDamaged(const std::filesystem::path& path) {
  throw EngineError("The work file \"" + path.filename().string() +
                    "\" is damaged. Load the key again.");
}

void ThrowMissing(const std::filesystem::path& path) {
  throw EngineError("The work file \"" + path.filename().string() + "\" is missing. Load the key again.");
}

void ThrowFileError(const std::string& what, const std::filesystem::path& path) {
  throw EngineError(what + " \"" + path.string() + "\": " + std::strerror(errno));
}

}  // namespace ostrel::engine
