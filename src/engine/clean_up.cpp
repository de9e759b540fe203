#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "base/runtime_folder.h"
#include "engine/engine.h"
#include "engine/work_files.h"

namespace ostrel::engine {
namespace {

// Every helper here ignores failures: the clean-up runs as the program exits
// and must complete whatever the work folder allows.

constexpr int kFilledRecords = 20;

void WriteAllAt(int fd, const std::string& bytes, off_t offset) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, offset + static_cast<off_t>(done));
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

// Opens the file for overwriting in place, creating it empty when missing;
// returns -1 when that fails.
int OpenInPlace(const std::filesystem::path& path, off_t& size) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  struct stat status {};
  size = fd >= 0 && ::fstat(fd, &status) == 0 ? status.st_size : 0;
  return fd;
}

// The filler is flushed where the work files lie on a disk, so that it
// reaches the blocks that held the keyspace; in memory there is no disk.
void Finish(int fd, bool flush) {
  if (flush) ::fsync(fd);
  ::close(fd);
}

void FillRecords(const std::filesystem::path& path, std::size_t recordLength, const std::string& fill, bool flush) {
  off_t size = 0;
  const int fd = OpenInPlace(path, size);
  if (fd < 0) return;
  if (size != 0) {
    const std::string record = fill.empty() ? std::string(recordLength, ' ') : fill;
    for (int r = 0; r < kFilledRecords; ++r) WriteAllAt(fd, record, static_cast<off_t>(r) * static_cast<off_t>(recordLength));
  }
  Finish(fd, flush);
}

void WriteAnew(const std::filesystem::path& path, const std::string& text, bool flush) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return;
  WriteAllAt(fd, text, 0);
  Finish(fd, flush);
}

void BlankSettingsRecord(const std::filesystem::path& path, bool flush) {
  off_t size = 0;
  const int fd = OpenInPlace(path, size);
  if (fd < 0) return;
  if (size != 0) WriteAllAt(fd, std::string(kWheelCount, ' ') + std::string(4 * kWheelCount, '\0'), 0);
  Finish(fd, flush);
}

std::string FillerLines() {
  std::string text;
  for (int line = 0; line < kFilledRecords; ++line) text += "xxxxx\r\n";
  return text;
}

void FillStepsIfNotEmpty(const std::filesystem::path& path, bool flush) {
  off_t size = 0;
  const int fd = OpenInPlace(path, size);
  if (fd < 0) return;
  ::close(fd);
  if (size != 0) WriteAnew(path, FillerLines(), flush);
}

}  // namespace

void Engine::CleanUpEngine() noexcept {
  OverwriteWorkFiles();
  DeleteWorkFiles();
}

void Engine::OverwriteWorkFiles() noexcept {
  const bool flush = !base::IsInMemory(workFolder_);
  for (const char* name : {"k1.tcr", "k1.trs", "k1.txt"}) FillRecords(WorkFile(name), 151, fillRecord151_, flush);
  for (const char* name : {kWorkingWheelFile, kPristineWheelFile, kWheelFile}) {
    FillRecords(WorkFile(name), kWheelLength, fillRecord256_, flush);
  }
  for (const char* name : {"k2.txt", kCountsFile}) WriteAnew(WorkFile(name), " 0  0 \r\n", flush);
  for (const char* name : {"k3.txt", kSettingsFile}) BlankSettingsRecord(WorkFile(name), flush);
  for (const char* name : {"k4.txt", kStepsFile}) FillStepsIfNotEmpty(WorkFile(name), flush);
  for (const char* name : {"k5.txt", kDerivedFile, kSecondDerivedFile}) WriteAnew(WorkFile(name), FillerLines(), flush);
}

void Engine::DeleteWorkFiles() noexcept {
  for (const char* name : {"k1.tcr", "k1.trs", kWorkingWheelFile, kPristineWheelFile, "k1.txt", kWheelFile,
                           "k2.txt", kCountsFile, "k3.txt", kSettingsFile, "k4.txt", kStepsFile, "k5.txt",
                           kDerivedFile, kSecondDerivedFile}) {
    ::unlink(WorkFile(name).c_str());
    // A write cut short by a crash can leave its temporary copy behind.
    ::unlink(WorkFile(std::string(name) + ".new").c_str());
  }
  keyLoaded_ = false;
}

}  // namespace ostrel::engine
