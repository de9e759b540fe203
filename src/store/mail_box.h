#pragma once
// One mail box on disk: its box list file of BoxRecords in the program
// folder, and its box folder holding the message files and the index file.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/fixed_records.h"
#include "store/box_record.h"
#include "store/boxes.h"

namespace ostrel::store {

inline constexpr const char* kTempListName = "temp.dat";

class MailBox {
 public:
  // Throws std::invalid_argument for a name that is not one of the five boxes.
  MailBox(const std::filesystem::path& programFolder, std::string_view boxName);

  const BoxInfo& Info() const { return *info_; }
  std::filesystem::path Folder() const { return programFolder_ / std::string(info_->name); }
  const std::filesystem::path& ListPath() const { return list_.Path(); }

  // Whole records only; a missing list counts as empty.
  std::size_t Count() const;
  // Stored bytes of record n (1..Count()), or nothing past the end.
  std::optional<std::string> ReadBytes(std::size_t n) const;
  std::optional<BoxRecord> Read(std::size_t n) const;
  std::vector<std::string> ReadAllBytes() const;

  // Appends a record after the last whole one and flushes it to disk.
  void Append(std::string_view recordBytes) const;
  void Append(const BoxRecord& record) const { Append(record.ToBytes()); }

  // Replaces the list with these records, in this order, through "temp.dat":
  // written, flushed and renamed over the list in one step.
  void Rewrite(const std::vector<std::string>& recordBytes) const;

  // Creates the list empty when it is missing, as opening it does.
  void EnsureListExists() const { list_.EnsureExists(); }
  // Throws std::system_error when the list exists but may not be written: a
  // move looks at both lists before it changes either.
  void RequireWritableList() const;

  std::filesystem::path TextPath(std::string_view messageName) const;
  std::filesystem::path WebPath(std::string_view messageName) const;

  // Advances the box index and returns the new message name.
  std::string NextMessageName() const;

  // Files a message: next name, its text file (and web file when given),
  // then the record naming them. Returns the name.
  std::string File(BoxRecord record, std::string_view text, const std::optional<std::string>& web) const;

 private:
  std::filesystem::path programFolder_;
  const BoxInfo* info_;
  base::RecordFile list_;
};

}  // namespace ostrel::store
