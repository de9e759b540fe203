#include "app/work_session.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "base/ansi_text.h"
#include "base/runtime_folder.h"

namespace ostrel::app {
namespace {

constexpr const char* kSharedMemory = "/dev/shm";

}  // namespace

WorkSession::WorkSession(const std::optional<std::string>& workFolder) {
  if (workFolder) {
    engine_ = std::make_unique<engine::Engine>(std::filesystem::path(*workFolder));
    return;
  }
  // In memory where the session has a runtime folder, or else the system
  // offers shared memory, so that no key material reaches a disk and its
  // clean-up need not wait for one; a TMPDIR of the user's choice goes first.
  if (const auto runtime = base::FreshRuntimeFolder()) {
    temporaryFolder_ = *runtime;
  } else {
    const char* chosen = std::getenv("TMPDIR");
    const std::filesystem::path parent = (chosen == nullptr || *chosen == '\0') && base::IsInMemory(kSharedMemory)
                                             ? std::filesystem::path(kSharedMemory)
                                             : std::filesystem::temp_directory_path();
    std::string pattern = (parent / "ostrel-work-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {  // mkdtemp makes the folder 0700
      throw engine::EngineError(std::string("Cannot create a temporary work folder: ") + std::strerror(errno));
    }
    temporaryFolder_ = pattern;
  }
  engine_ = std::make_unique<engine::Engine>(temporaryFolder_);
}

WorkSession::~WorkSession() {
  if (temporaryFolder_.empty()) return;
  engine_->CleanUpEngine();
  std::error_code ignored;
  std::filesystem::remove_all(temporaryFolder_, ignored);
}

void WorkSession::LoadKey(const std::string& key) {
  std::string keyText = base::ToAnsi(key);
  engine_->LoadKey(keyText);
}

}  // namespace ostrel::app
