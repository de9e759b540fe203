#include "store/box_emptying.h"

#include <algorithm>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "base/case_insensitive_lookup.h"
#include "base/letter_case.h"
#include "base/safe_file.h"
#include "store/box_index.h"
#include "store/box_record.h"
#include "store/boxes.h"
#include "store/mail_box.h"
#include "store/message_files.h"

namespace ostrel::store {

void KillMessages(const std::filesystem::path& programFolder, std::string_view box) {
  const bool isBox = FindBox(box) != nullptr;
  const bool isAttachmentFolder =
      std::find(kAttachmentFolders.begin(), kAttachmentFolders.end(), box) != kAttachmentFolders.end();
  // Only the program's own data folders are ever emptied.
  if (!isBox && !isAttachmentFolder) throw std::invalid_argument("\"" + std::string(box) + "\" is not a data folder.");
  const std::filesystem::path folder = base::FindIgnoringCase(programFolder, box);
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (!it->is_regular_file(error)) continue;
    // The index file is replaced last, so the number never drops to 0 while
    // message files of higher numbers could still be there.
    if (isBox && base::SameIgnoringCase(it->path().filename().string(), kIndexFileName)) continue;
    files.push_back(it->path());
  }
  for (const auto& file : files) std::filesystem::remove(file, error);
  if (isBox) {
    base::MakePrivateFolder(folder);
    WriteBoxIndex(folder, 0);
  }
}

std::string EmptyTheTrash(const std::filesystem::path& programFolder, const base::ProgressReport& progress) noexcept {
  std::string lastName;
  try {
    const MailBox trash(programFolder, "Trash");
    const std::vector<std::string> records = trash.ReadAllBytes();
    trash.Rewrite({});
    base::Report(progress, 0, records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
      lastName = MessageNameOf(records[i]);
      RemoveMessageFiles(trash.Folder(), lastName);
      base::Report(progress, i + 1, records.size());
    }
  } catch (...) {
    // Emptying the Trash runs on the way out; nothing may stop the exit.
  }
  return lastName;
}

}  // namespace ostrel::store
