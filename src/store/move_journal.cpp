#include "store/move_journal.h"

#include <optional>
#include <set>
#include <string_view>

#include "base/safe_file.h"
#include "base/text_pieces.h"
#include "store/box_record.h"
#include "store/boxes.h"
#include "store/mail_box.h"
#include "store/message_files.h"
#include "store/store_lock.h"

namespace ostrel::store {
namespace {

using base::kLineEnd;

std::filesystem::path JournalPath(const std::filesystem::path& programFolder) {
  return programFolder / kMoveJournalName;
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const auto end = text.find(kLineEnd);
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + kLineEnd.size());
  }
  return lines;
}

std::optional<MoveJournal> ParseJournal(std::string_view text) {
  const auto lines = Lines(text);
  if (lines.empty() || FindBox(lines[0]) == nullptr) return std::nullopt;
  MoveJournal journal{std::string(lines[0]), {}};
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    const auto blank = line.find(' ');
    JournaledMessage message{std::string(line.substr(0, blank)), {}};
    if (blank != std::string_view::npos) message.trashName = std::string(line.substr(blank + 1));
    const bool leavesTrash = journal.box == "Trash";
    if (!IsSafeMessageName(message.name) || message.trashName.empty() != leavesTrash ||
        (!leavesTrash && !IsSafeMessageName(message.trashName))) {
      return std::nullopt;
    }
    journal.messages.push_back(std::move(message));
  }
  return journal;
}

}  // namespace

void WriteMoveJournal(const std::filesystem::path& programFolder, const MoveJournal& journal) {
  std::string text = journal.box + std::string(kLineEnd);
  for (const auto& message : journal.messages) {
    text += message.name;
    if (!message.trashName.empty()) text += " " + message.trashName;
    text += kLineEnd;
  }
  base::ReplaceFile(JournalPath(programFolder), text);
}

void RemoveMoveJournal(const std::filesystem::path& programFolder) {
  // Flushed: a journal that came back after a crash could take back a later
  // move's messages of the same names.
  base::RemoveFile(JournalPath(programFolder));
  base::SyncFolder(programFolder);
}

bool SettleJournaledMove(const std::filesystem::path& programFolder) {
  const auto text = base::ReadWholeFile(JournalPath(programFolder));
  if (!text) return false;
  const auto journal = ParseJournal(*text);
  if (!journal) {
    RemoveMoveJournal(programFolder);
    return true;
  }
  const MailBox box(programFolder, journal->box);
  std::set<std::string> held;
  for (const auto& record : box.ReadAllBytes()) held.insert(NameKey(MessageNameOf(record)));

  bool allRemoved = true;
  std::set<std::string> takenBack;
  for (const auto& message : journal->messages) {
    if (held.count(NameKey(message.name)) != 0) {
      if (!message.trashName.empty()) takenBack.insert(NameKey(message.trashName));
    } else {
      allRemoved = RemoveMessageFiles(box.Folder(), message.name) && allRemoved;
    }
  }
  if (!takenBack.empty()) {
    const MailBox trash(programFolder, BoxName::Trash);
    const std::vector<std::string> records = trash.ReadAllBytes();
    std::vector<std::string> kept;
    for (const auto& record : records) {
      if (takenBack.count(NameKey(MessageNameOf(record))) == 0) kept.push_back(record);
    }
    if (kept.size() != records.size()) trash.Rewrite(kept);
    for (const auto& message : journal->messages) {
      if (takenBack.count(NameKey(message.trashName)) != 0) {
        allRemoved = RemoveMessageFiles(trash.Folder(), message.trashName) && allRemoved;
      }
    }
  }
  // Files that would not go stay named in the journal for the next try.
  if (allRemoved) RemoveMoveJournal(programFolder);
  return true;
}

void SettleInterruptedMove(const std::filesystem::path& programFolder) {
  std::error_code error;
  if (!std::filesystem::exists(JournalPath(programFolder), error)) return;
  const StoreLock lock(programFolder);
  SettleJournaledMove(programFolder);
}

}  // namespace ostrel::store
