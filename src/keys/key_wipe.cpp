#include "keys/key_wipe.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "base/safe_file.h"
#include "base/text_pieces.h"
#include "keys/key_store.h"

namespace ostrel::keys {
namespace {

[[noreturn]] void ThrowErrno(const std::string& what, const std::filesystem::path& path) {
  throw std::system_error(errno, std::generic_category(), what + " " + path.string());
}

void OverwriteInPlace(const std::filesystem::path& path, const std::string& filler) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) ThrowErrno("cannot open", path);
  std::size_t done = 0;
  bool ok = true;
  while (ok && done < filler.size()) {
    const ssize_t written = ::pwrite(fd, filler.data() + done, filler.size() - done, static_cast<off_t>(done));
    if (written < 0 && errno == EINTR) continue;
    ok = written > 0;
    if (ok) done += static_cast<std::size_t>(written);
  }
  ok = ok && ::fsync(fd) == 0;
  const int error = errno;
  ::close(fd);
  errno = error;
  if (!ok) ThrowErrno("cannot overwrite", path);
}

}  // namespace

void WipeFile(const std::filesystem::path& path, const WipeObserver& afterPass) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return;
  const std::string filler = std::string(static_cast<std::size_t>(info.st_size), '@') + std::string(base::kLineEnd);
  for (int pass = 0; pass < kWipePasses; ++pass) {
    OverwriteInPlace(path, filler);
    if (afterPass) afterPass(path);
  }
  if (::unlink(path.c_str()) != 0) ThrowErrno("cannot delete", path);
  base::SyncFolder(path.parent_path());
}

bool DeleteKeys(const std::filesystem::path& programFolder, base::Dialogs& dialogs, const WipeObserver& afterPass) {
  base::MessageBox question;
  question.text =
      "Please make certain that you transfer the key file before deleting it.  Are you sure you want to delete the "
      "Key File?";
  question.title = "Key Delete Confirm";
  question.buttons = base::Buttons::YesNo;
  if (dialogs.Ask(question) != base::Answer::Yes) return false;
  WipeFile(programFolder / kKeyStoreFileName, afterPass);
  WipeFile(programFolder / kSelectedKeyFileName, afterPass);
  dialogs.Show(base::PlainBox("Key File is deleted.  No Cryptions are now possible."));
  return true;
}

}  // namespace ostrel::keys
