#pragma once
// One mail box on disk: its box list file of BoxRecords in the program
// folder, and its box folder holding the message files and the index file.
// Each of them is found in any letter case ("INBOX.DAT", "in", "msg1.TXT");
// what the box makes gets its own spelling ("inbox.dat", "In", "MSG1.txt").

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

class MailBox {
 public:
  // Throws std::invalid_argument for a name that is not one of the five boxes.
  MailBox(const std::filesystem::path& programFolder, std::string_view boxName);
  MailBox(const std::filesystem::path& programFolder, BoxName box);

  const BoxInfo& Info() const { return *info_; }
  std::filesystem::path Folder() const;
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
  // Appends several records in one write, flushed once.
  void Append(const std::vector<std::string>& recordBytes) const { list_.Append(recordBytes); }

  // Replaces the list with these records, in this order, through a
  // temporary file: written, flushed and renamed over the list in one step.
  void Rewrite(const std::vector<std::string>& recordBytes) const;

  // Creates the list empty when it is missing, as opening it does.
  void EnsureListExists() const { list_.EnsureExists(); }
  // Throws std::system_error when the list exists but may not be written: a
  // move looks at both lists before it changes either.
  void RequireWritableList() const;

  // The message's files, found in any letter case; a name this box has just
  // issued gets its own spelling.
  std::filesystem::path TextPath(std::string_view messageName) const;
  std::filesystem::path WebPath(std::string_view messageName) const;

  // Advances the box index and returns the new message name, free in every
  // letter case.
  std::string NextMessageName() const;
  // The same for count messages, the index written once. The names are
  // free in every letter case, so each file's path is Folder() / name plus
  // its ending.
  std::vector<std::string> NextMessageNames(std::size_t count) const;

  // Files a message: next name, its text file (and web file when given),
  // then the record naming them, all under the store lock. Returns the name.
  std::string File(BoxRecord record, std::string_view text, const std::optional<std::string>& web) const;

 private:
  std::filesystem::path MessagePath(std::string_view messageName, std::string_view extension) const;

  std::filesystem::path programFolder_;
  const BoxInfo* info_;
  base::RecordFile list_;
  mutable std::string issuedName_;  // the name NextMessageName gave last
};

}  // namespace ostrel::store
