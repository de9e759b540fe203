#pragma once
// Whole-file reads and crash-safe replacement of files.
//
// A file is replaced by writing its new bytes into a temporary file beside it,
// flushing them, and renaming the temporary file over it. Temporary files are
// named ".ostrel-<process id>-<6 random letters or digits>": hidden, unique,
// and created only where no file of that name exists, so that they can never
// be, nor overwrite, a file of the user's, whatever names the user's files
// have. The process id tells the next start which ones a killed run left.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel::base {

enum class Privacy { Normal, Private };  // Private: readable by the user alone (0600)

// The whole file, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// One file being replaced: a fresh temporary file beside the target that
// takes the target's name on Commit. Several can be flushed and committed
// one after the other and their folder flushed once (SyncFolder) after the
// last, or closed, flushed together (FlushTogether) and then committed.
// Throws std::system_error on failure; the target is then untouched, and a
// temporary file not committed is removed by the destructor.
class PendingFile {
 public:
  PendingFile(const std::filesystem::path& target, Privacy privacy = Privacy::Normal);
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;
  ~PendingFile();

  const std::filesystem::path& Target() const { return target_; }
  const std::filesystem::path& TemporaryPath() const { return temporary_; }
  // Open until Flush or Commit; for writers that write through it themselves.
  int Descriptor() const { return fd_; }

  // The name Commit gives it instead, in the same folder: for a file whose
  // name is chosen only once its bytes are written.
  void SetTarget(const std::filesystem::path& target);

  void Write(std::string_view bytes);
  // Flushes the bytes to disk and closes the file.
  void Flush();
  // Closes the file without flushing it, to be flushed with others.
  void Close();
  // Closes the file (when Flush has not) and renames it over the target. The
  // rename reaches the disk with the next flush of the folder.
  void Commit();
  // Closes the file and leaves it under its temporary name, for a journal
  // that names it: the destructor no longer removes it.
  void Release();

 private:
  std::filesystem::path target_;
  std::filesystem::path temporary_;
  int fd_ = -1;
  bool committed_ = false;
};

// Replaces the file with contents so that a crash, a kill or a full disk at
// any moment leaves either the old file or the new one, never a mix: the
// bytes are flushed before the rename, and the folder after it.
void ReplaceFile(const std::filesystem::path& path, std::string_view contents, Privacy privacy = Privacy::Normal);

// Same replacement, whole or not at all while the system runs, but without
// the flushes to disk: for files that nothing needs back after a crash, where
// a flush would wait for every other write the disk has pending.
void ReplaceScratchFile(const std::filesystem::path& path, std::string_view contents,
                        Privacy privacy = Privacy::Normal);

// Appends bytes and flushes them to disk.
void AppendToFile(const std::filesystem::path& path, std::string_view bytes,
                  Privacy privacy = Privacy::Normal);

// Removes a file; false when it was there and could not be removed.
bool RemoveFile(const std::filesystem::path& path);

// Makes the folder (and its parents) when missing; folders made are 0700.
void MakePrivateFolder(const std::filesystem::path& folder);

// Flushes the bytes of these files to disk, all at once: a batch of more
// than a few files on one file system with one flush of that file system,
// which costs about what one file's flush does, otherwise file by file.
// Throws std::system_error when a file cannot be opened or the disk
// refuses the bytes.
void FlushTogether(const std::vector<std::filesystem::path>& files);

// Flushes a folder's entries (after a rename or unlink) to disk.
void SyncFolder(const std::filesystem::path& folder);

// Flushes a file's bytes to disk; false when the file cannot be opened or
// the disk refuses them.
bool SyncFile(const std::filesystem::path& path);

// A name PendingFile gives its temporary files.
bool IsTemporaryFileName(std::string_view name);

// A temporary file name whose process has ended: a run that was killed or
// crashed left it, and nothing will ever commit it.
bool IsLeftoverTemporaryFileName(std::string_view name);

}  // namespace ostrel::base
