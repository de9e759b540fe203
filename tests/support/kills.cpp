#include "support/kills.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "support/recording_calls.h"

namespace ostrel::testing {

bool KilledBeforeCall(const std::function<void()>& work, std::size_t call, const std::string& what) {
  const pid_t child = ::fork();
  if (child == 0) {
    RecordedCalls calls;
    calls.before = [call](std::size_t number) {
      if (number == call) ::raise(SIGKILL);
    };
    try {
      work();
    } catch (...) {
      ::_exit(2);
    }
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  if (WIFSIGNALED(status)) return true;
  EXPECT_EQ(WEXITSTATUS(status), 0) << what << " failed";
  return false;
}

FoldersInMemory::FoldersInMemory() {
  if (const char* folder = std::getenv("TMPDIR")) saved_ = folder;
  if (std::filesystem::is_directory("/dev/shm")) ::setenv("TMPDIR", "/dev/shm", 1);
}

FoldersInMemory::~FoldersInMemory() { saved_ ? ::setenv("TMPDIR", saved_->c_str(), 1) : ::unsetenv("TMPDIR"); }

}  // namespace ostrel::testing
