#pragma once
// The file system calls whose order decides what a crash or a kill leaves on
// disk: flushes (of one file, or of a whole file system), renames and
// removals. Every file the program replaces,
// appends to or removes goes through these, so that a test can put its own in
// place to record their order or to stop the process at a chosen call.

namespace ostrel::base {

class FileSystemCalls {
 public:
  virtual ~FileSystemCalls() = default;
  virtual int Fsync(int fd);
  // Flushes every file of the file system that holds fd (syncfs).
  virtual int SyncFileSystem(int fd);
  virtual int Rename(const char* from, const char* to);
  virtual int Unlink(const char* path);
};

// The calls in force: the system's own unless a test has put others in place.
FileSystemCalls& Calls();

// Puts other calls in place while it lives (tests only). They reach the
// system's own by calling the FileSystemCalls members they override.
class ScopedFileSystemCalls {
 public:
  explicit ScopedFileSystemCalls(FileSystemCalls& calls);
  ScopedFileSystemCalls(const ScopedFileSystemCalls&) = delete;
  ScopedFileSystemCalls& operator=(const ScopedFileSystemCalls&) = delete;
  ~ScopedFileSystemCalls();

 private:
  FileSystemCalls* previous_;
};

}  // namespace ostrel::base
