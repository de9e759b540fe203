#pragma once
// A record file whose records are a name and a value in two blank-padded
// fields (the address book, the signatures), looked up by the name. Names
// are compared exactly, after their blanks are trimmed.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/fixed_records.h"

namespace ostrel::base {

struct NamedRecord {
  std::string name;
  std::string value;

  bool operator==(const NamedRecord&) const = default;
};

class NamedRecordFile {
 public:
  NamedRecordFile(std::filesystem::path path, std::size_t nameWidth, std::size_t valueWidth);

  // Every record in file order, trimmed. Creates the file empty when it is
  // missing.
  std::vector<NamedRecord> ReadAll() const;

  // The value of the first record of that name.
  std::optional<std::string> Find(std::string_view name) const;

  void Append(std::string_view name, std::string_view value) const;

  // Replaces the first or the last record of that name; false, with the file
  // unchanged, when there is none.
  enum class Which { First, Last };
  bool Replace(std::string_view name, std::string_view value, Which which) const;

  // Removes every record of that name and returns them; the file is
  // rewritten only when one was removed.
  std::vector<NamedRecord> RemoveAll(std::string_view name) const;

  // A value as a record keeps it: cut to its field and trimmed.
  std::string StoredValue(std::string_view value) const;

 private:
  NamedRecord Parse(std::string_view record) const;
  std::string Format(std::string_view name, std::string_view value) const;
  std::vector<std::string> ReadRecords() const;

  RecordFile file_;
  std::vector<std::size_t> widths_;
};

}  // namespace ostrel::base
