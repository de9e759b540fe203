#pragma once
// The engine a command works with. With --work the work files stay in that
// folder; without it a private temporary folder is made, and the engine is
// cleaned up and the folder removed when the session ends, so that no
// keyspace is left behind.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "engine/engine.h"

namespace ostrel::app {

class WorkSession {
 public:
  explicit WorkSession(const std::optional<std::string>& workFolder);
  WorkSession(const WorkSession&) = delete;
  WorkSession& operator=(const WorkSession&) = delete;
  ~WorkSession();

  engine::Engine& Engine() { return *engine_; }

  // Loads the key given on the command line (UTF-8, stored as ANSI).
  void LoadKey(const std::string& key);

 private:
  std::filesystem::path temporaryFolder_;  // empty with --work
  std::unique_ptr<engine::Engine> engine_;
};

}  // namespace ostrel::app
