#include "app/work_session.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "base/ansi_text.h"
#include "base/runtime_folder.h"

namespace ostrel::app {

WorkSession::WorkSession(const std::optional<std::string>& workFolder) {
  if (workFolder) {
    engine_ = std::make_unique<engine::Engine>(std::filesystem::path(*workFolder));
    return;
  }
  // In memory where the session has a runtime folder, so that no key
  // material reaches a disk.
  if (const auto runtime = base::FreshRuntimeFolder()) {
    temporaryFolder_ = *runtime;
  } else {
    std::string pattern = (std::filesystem::temp_directory_path() / "ostrel-work-XXXXXX").string();
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
