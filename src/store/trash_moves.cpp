#include "store/trash_moves.h"

#include <vector>

#include "store/box_record.h"
#include "store/journals.h"
#include "store/mail_box.h"
#include "store/message_files.h"
#include "store/move_journal.h"
#include "store/store_lock.h"

namespace ostrel::store {

RemovalResult RemoveRecords(const std::filesystem::path& programFolder, std::string_view boxName,
                            const std::set<std::size_t>& recordNumbers, const base::ProgressReport& progress) {
  const MailBox box(programFolder, boxName);
  const MailBox trash(programFolder, BoxName::Trash);
  const bool fromTrash = box.Info().box == BoxName::Trash;
  const StoreLock lock(programFolder);
  SettleJournals(programFolder);
  const std::vector<std::string> records = box.ReadAllBytes();

  RemovalResult result;
  MoveJournal journal{std::string(box.Info().name), {}};
  for (const std::size_t number : recordNumbers) {
    if (number < 1 || number > records.size()) continue;
    journal.messages.push_back({MessageNameOf(records[number - 1]), fromTrash ? "" : trash.NextMessageName()});
  }
  const std::size_t marked = journal.messages.size();
  const std::size_t steps = fromTrash ? marked : 2 * marked;
  std::size_t done = 0;
  base::Report(progress, done, steps);
  if (marked == 0) return result;
  WriteMoveJournal(programFolder, journal);

  try {
    std::vector<std::string> kept;
    std::vector<std::string> removedNames;
    bool allRemoved = true;
    auto next = journal.messages.begin();
    for (std::size_t i = 1; i <= records.size(); ++i) {
      const std::string& record = records[i - 1];
      bool remove = recordNumbers.count(i) != 0;
      if (remove && !fromTrash) {
        const std::string& newName = (next++)->trashName;
        if (CopyMessageFiles(box.Folder(), MessageNameOf(record), trash.Folder(), newName)) {
          trash.Append(WithMessageName(record, newName));
        } else {
          allRemoved = RemoveMessageFiles(trash.Folder(), newName) && allRemoved;
          ++result.keptBecauseCopyFailed;
          remove = false;
        }
        base::Report(progress, ++done, steps);
      }
      if (remove) {
        removedNames.push_back(MessageNameOf(record));
      } else {
        kept.push_back(record);
      }
    }
    if (!removedNames.empty()) {
      box.Rewrite(kept);
      for (const auto& name : removedNames) {
        allRemoved = RemoveMessageFiles(box.Folder(), name) && allRemoved;
        base::Report(progress, ++done, steps);
      }
      result.removed = removedNames.size();
      result.lastMessageName = removedNames.back();
    }
    // Files that would not go stay named in the journal for the next run.
    if (allRemoved) RemoveMoveJournal(programFolder);
  } catch (...) {
    // Whichever step failed, the journal tells how to leave every message in
    // one box; when even that fails, the next run does it.
    try {
      SettleJournaledMove(programFolder);
    } catch (...) {
    }
    throw;
  }
  base::Report(progress, steps, steps);
  return result;
}

std::optional<std::string> DeleteMessage(const std::filesystem::path& programFolder, std::string_view boxName,
                                         std::size_t record) {
  const MailBox box(programFolder, boxName);
  if (record < 1 || record > box.Count()) return std::nullopt;
  const RemovalResult result = RemoveRecords(programFolder, boxName, {record});
  if (result.keptBecauseCopyFailed > 0) {
    throw TrashCopyError("The message could not be copied to the Trash, so it was left in its box.");
  }
  return result.lastMessageName;
}

}  // namespace ostrel::store
