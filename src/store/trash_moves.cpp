#include "store/trash_moves.h"

#include <vector>

#include "store/box_record.h"
#include "store/mail_box.h"
#include "store/message_files.h"

namespace ostrel::store {

RemovalResult RemoveRecords(const std::filesystem::path& programFolder, std::string_view boxName,
                            const std::set<std::size_t>& recordNumbers, const base::ProgressReport& progress) {
  const MailBox box(programFolder, boxName);
  const MailBox trash(programFolder, "Trash");
  const bool fromTrash = box.Info().name == "Trash";
  const std::vector<std::string> records = box.ReadAllBytes();

  RemovalResult result;
  std::size_t marked = 0;
  for (const std::size_t number : recordNumbers) {
    if (number >= 1 && number <= records.size()) ++marked;
  }
  const std::size_t steps = fromTrash ? marked : 2 * marked;
  std::size_t done = 0;
  base::Report(progress, done, steps);
  std::vector<std::string> kept;
  std::vector<std::string> removedNames;
  for (std::size_t i = 1; i <= records.size(); ++i) {
    const std::string& record = records[i - 1];
    bool remove = recordNumbers.count(i) != 0;
    if (remove && !fromTrash) {
      const std::string newName = trash.NextMessageName();
      if (CopyMessageFiles(box.Folder(), MessageNameOf(record), trash.Folder(), newName)) {
        trash.Append(WithMessageName(record, newName));
      } else {
        RemoveMessageFiles(trash.Folder(), newName);
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
  if (removedNames.empty()) {
    base::Report(progress, steps, steps);
    return result;
  }

  box.Rewrite(kept);
  for (const auto& name : removedNames) {
    RemoveMessageFiles(box.Folder(), name);
    base::Report(progress, ++done, steps);
  }
  base::Report(progress, steps, steps);
  result.removed = removedNames.size();
  result.lastMessageName = removedNames.back();
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
