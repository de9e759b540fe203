#include "base/fixed_records.h"

#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "base/ansi_text.h"
#include "base/file_system_calls.h"
#include "base/read_at.h"

namespace ostrel::base {
namespace {

[[noreturn]] void ThrowErrno(const std::string& what, const std::filesystem::path& path) {
  throw std::system_error(errno, std::generic_category(), what + " " + path.string());
}

std::size_t FileLength(const std::filesystem::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return 0;
  return static_cast<std::size_t>(info.st_size);
}

void WriteAt(const std::filesystem::path& path, std::string_view bytes, std::size_t offset, mode_t mode,
             bool truncateFirst) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, mode);
  if (fd < 0) ThrowErrno("cannot open", path);
  bool ok = !truncateFirst || ::ftruncate(fd, static_cast<off_t>(offset)) == 0;
  while (ok && !bytes.empty()) {
    const ssize_t written = ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset));
    if (written < 0 && errno == EINTR) continue;
    ok = written > 0;
    if (ok) {
      bytes.remove_prefix(static_cast<std::size_t>(written));
      offset += static_cast<std::size_t>(written);
    }
  }
  ok = ok && Calls().Fsync(fd) == 0;
  const int error = errno;
  ::close(fd);
  errno = error;
  if (!ok) ThrowErrno("cannot write", path);
}

}  // namespace

RecordFile::RecordFile(std::filesystem::path path, std::size_t recordLength, Privacy privacy)
    : path_(std::move(path)), recordLength_(recordLength), privacy_(privacy) {
  if (recordLength_ == 0) throw std::invalid_argument("record length 0");
}

void RecordFile::EnsureExists() const {
  // Read access is enough: a read-only list that exists is there to be read.
  const int fd = ::open(path_.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, privacy_ == Privacy::Private ? 0600 : 0644);
  if (fd < 0) ThrowErrno("cannot create", path_);
  ::close(fd);
}

std::size_t RecordFile::Count() const { return FileLength(path_) / recordLength_; }

std::optional<std::string> RecordFile::Read(std::size_t n) const {
  if (n == 0) return std::nullopt;
  const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string record(recordLength_, '\0');
  const auto got = ReadAt(fd, record.data(), recordLength_, (n - 1) * recordLength_);
  ::close(fd);
  if (got != static_cast<std::ptrdiff_t>(recordLength_)) return std::nullopt;
  return record;
}

std::vector<std::string> RecordFile::ReadAll() const {
  std::vector<std::string> records;
  const auto contents = ReadWholeFile(path_);
  if (!contents) return records;
  const std::size_t count = contents->size() / recordLength_;
  records.reserve(count);
  for (std::size_t i = 0; i < count; ++i) records.push_back(contents->substr(i * recordLength_, recordLength_));
  return records;
}

std::string RecordFile::Checked(std::string_view record) const {
  if (record.size() > recordLength_) record = record.substr(0, recordLength_);
  std::string padded(record);
  padded.resize(recordLength_, ' ');
  return padded;
}

void RecordFile::Append(std::string_view record) const {
  WriteAt(path_, Checked(record), Count() * recordLength_, privacy_ == Privacy::Private ? 0600 : 0644, true);
}

void RecordFile::Append(const std::vector<std::string>& records) const {
  if (records.empty()) return;
  std::string bytes;
  bytes.reserve(records.size() * recordLength_);
  for (const auto& record : records) bytes += Checked(record);
  WriteAt(path_, bytes, Count() * recordLength_, privacy_ == Privacy::Private ? 0600 : 0644, true);
}

void RecordFile::Overwrite(std::size_t n, std::string_view record) const {
  if (n == 0 || n > Count()) throw std::out_of_range("record " + std::to_string(n) + " of " + path_.string());
  WriteAt(path_, Checked(record), (n - 1) * recordLength_, privacy_ == Privacy::Private ? 0600 : 0644, false);
}

void RecordFile::Rewrite(const std::vector<std::string>& records) const {
  std::string contents;
  contents.reserve(records.size() * recordLength_);
  for (const auto& record : records) contents += Checked(record);
  ReplaceFile(path_, contents, privacy_);
}

std::string PadField(std::string_view text, std::size_t width) {
  const std::string stored = ToAnsi(text);
  std::string field(CutToWidth(stored, width));
  field.resize(width, ' ');
  return field;
}

std::string FieldText(std::string_view record, std::size_t offset, std::size_t width) {
  if (offset >= record.size()) return {};
  return FromAnsi(record.substr(offset, width));
}

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string_view TrimTrailingBlanks(std::string_view text) {
  const auto last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

std::vector<std::string> SplitFields(std::string_view record, const std::vector<std::size_t>& widths) {
  std::vector<std::string> fields;
  std::size_t offset = 0;
  for (const std::size_t width : widths) {
    fields.push_back(FieldText(record, offset, width));
    offset += width;
  }
  return fields;
}

std::string JoinFields(const std::vector<std::string>& fields, const std::vector<std::size_t>& widths) {
  std::string record;
  for (std::size_t i = 0; i < widths.size(); ++i) record += PadField(i < fields.size() ? fields[i] : "", widths[i]);
  return record;
}

}  // namespace ostrel::base
