#include "store/box_emptying.h"

#include <algorithm>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "base/case_insensitive_lookup.h"
#include "base/folder_files.h"
#include "base/letter_case.h"
#include "base/safe_file.h"
#include "store/box_index.h"
#include "store/box_record.h"
#include "store/boxes.h"
#include "store/journals.h"
#include "store/mail_box.h"
#include "store/message_files.h"
#include "store/move_journal.h"
#include "store/store_lock.h"

namespace ostrel::store {

void KillMessages(const std::filesystem::path& programFolder, std::string_view box) {
  const bool isBox = FindBox(box) != nullptr;
  const bool isAttachmentFolder =
      std::find(kAttachmentFolders.begin(), kAttachmentFolders.end(), box) != kAttachmentFolders.end();
  // Only the program's own data folders are ever emptied.
  if (!isBox && !isAttachmentFolder) throw std::invalid_argument("\"" + std::string(box) + "\" is not a data folder.");
  const std::filesystem::path folder = base::FindIgnoringCase(programFolder, box);
  // The index file is replaced last, so the number never drops to 0 while
  // message files of higher numbers could still be there.
  for (const auto& file : base::RegularFilesIn(folder)) {
    if (!isBox || !base::SameIgnoringCase(file.filename().string(), kIndexFileName)) base::RemoveFile(file);
  }
  if (isBox) {
    base::MakePrivateFolder(folder);
    WriteBoxIndex(folder, 0);
  }
}

std::string EmptyTheTrash(const std::filesystem::path& programFolder, const base::ProgressReport& progress) noexcept {
  std::string lastName;
  try {
    const MailBox trash(programFolder, "Trash");
    const StoreLock lock(programFolder);
    SettleJournals(programFolder);
    const std::vector<std::string> records = trash.ReadAllBytes();
    MoveJournal journal{"Trash", {}};
    for (const auto& record : records) journal.messages.push_back({MessageNameOf(record), ""});
    bool journaled = false;
    if (!records.empty()) {
      try {
        WriteMoveJournal(programFolder, journal);
        journaled = true;
      } catch (const std::system_error&) {
        // A full disk is when emptying matters most. Without the journal a
        // kill leaves files no record names, which the next start lists again.
      }
    }
    trash.Rewrite({});
    base::Report(progress, 0, records.size());
    bool allRemoved = true;
    for (std::size_t i = 0; i < records.size(); ++i) {
      lastName = MessageNameOf(records[i]);
      allRemoved = RemoveMessageFiles(trash.Folder(), lastName) && allRemoved;
      base::Report(progress, i + 1, records.size());
    }
    if (journaled && allRemoved) RemoveMoveJournal(programFolder);
  } catch (...) {
    // Emptying the Trash runs on the way out; nothing may stop the exit.
  }
  return lastName;
}

}  // namespace ostrel::store
