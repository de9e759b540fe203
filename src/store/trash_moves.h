#pragma once
// Removing messages from a box: Delete Msg on one record, and the removal of
// many records that the clean-up runs. Messages leaving In, Sent or Junk go
// to the Trash; messages leaving the Trash are gone.
//
// The steps are ordered so that a crash or kill at any moment loses nothing:
// the move journal is written, the files are copied into the Trash and
// flushed, the Trash record is appended and flushed, the box list is
// rewritten in one step, and only then are the old files removed. A run
// killed on the way leaves the journal, from which the next run (or the next
// move) puts each message back into exactly one box.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/progress.h"

namespace ostrel::store {

class TrashCopyError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct RemovalResult {
  std::string lastMessageName;  // trimmed MsgFile of the last record removed
  std::size_t removed = 0;
  std::size_t keptBecauseCopyFailed = 0;  // left in the box: the Trash copy could not be written
};

// Removes the records with these numbers (1..count; others are ignored) from
// the box. The kept records stay in their order. Progress counts one step
// per message copied to the Trash and one per message removed.
RemovalResult RemoveRecords(const std::filesystem::path& programFolder, std::string_view boxName,
                            const std::set<std::size_t>& recordNumbers,
                            const base::ProgressReport& progress = {});

// Delete Msg: removes record `record` of the box. Returns the trimmed MsgFile
// of the message, or nothing when there is no such record. Throws
// TrashCopyError, changing nothing, when the copy for the Trash fails.
std::optional<std::string> DeleteMessage(const std::filesystem::path& programFolder, std::string_view boxName,
                                         std::size_t record);

}  // namespace ostrel::store
