#pragma once
// Files of fixed-length records: record n (counted from 1) starts at
// (n - 1) x record length, the record count is the file length divided by the
// record length, and a missing or empty file holds no records. Fields hold
// ANSI text left-aligned and blank-padded to their width.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/safe_file.h"

namespace ostrel::base {

class RecordFile {
 public:
  RecordFile(std::filesystem::path path, std::size_t recordLength, Privacy privacy = Privacy::Normal);

  const std::filesystem::path& Path() const { return path_; }
  std::size_t RecordLength() const { return recordLength_; }

  // Creates the file empty when it is missing, as opening for record access does.
  void EnsureExists() const;

  // Whole records only: a partial record at the end is not counted.
  std::size_t Count() const;

  // Raw bytes of record n, or nothing when n is past the last whole record.
  std::optional<std::string> Read(std::size_t n) const;
  std::vector<std::string> ReadAll() const;

  // Writes record count + 1 (after any partial record is cut off) and flushes.
  void Append(std::string_view record) const;
  // Writes these as records count + 1, count + 2, ... in one write, and
  // flushes them once.
  void Append(const std::vector<std::string>& records) const;

  // Replaces record n (1..count) in place and flushes.
  void Overwrite(std::size_t n, std::string_view record) const;

  // Replaces the whole file with these records through a temporary file,
  // flushed and renamed over the file in one step.
  void Rewrite(const std::vector<std::string>& records) const;

 private:
  std::string Checked(std::string_view record) const;

  std::filesystem::path path_;
  std::size_t recordLength_;
  Privacy privacy_;
};

// UTF-8 text to a field: stored bytes cut to width (never splitting a
// character) and padded with blanks.
std::string PadField(std::string_view text, std::size_t width);

// The field at offset/width of a record as UTF-8 text, blanks kept.
std::string FieldText(std::string_view record, std::size_t offset, std::size_t width);

// Leading and trailing blanks removed.
std::string_view TrimBlanks(std::string_view text);
std::string_view TrimTrailingBlanks(std::string_view text);

// Cuts a record into UTF-8 fields of the given widths (blanks kept), and
// builds a record from fields.
std::vector<std::string> SplitFields(std::string_view record, const std::vector<std::size_t>& widths);
std::string JoinFields(const std::vector<std::string>& fields, const std::vector<std::size_t>& widths);

}  // namespace ostrel::base
