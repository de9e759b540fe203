#include "store_folder.h"

#include <gtest/gtest.h>

#include <set>

#include "base/fixed_records.h"
#include "base/safe_file.h"
#include "store/box_index.h"
#include "store/boxes.h"
#include "store/mail_box.h"
#include "store/move_journal.h"
#include "store/receipt_journal.h"
#include "store/trash_moves.h"
#include "support/recording_calls.h"

namespace ostrel::testing {

StoreFolder::StoreFolder() : folder_(temp_.Path().string() + "/") {
  for (const auto folder : store::kAttachmentFolders) std::filesystem::create_directory(temp_ / std::string(folder));
  for (const auto& box : store::kBoxes) {
    std::filesystem::create_directory(temp_ / std::string(box.name));
    store::WriteBoxIndex(temp_ / std::string(box.name), 0);
  }
}

std::string StoreFolder::AddMessage(const std::string& box, const std::string& subject, const std::string& text,
                                    const std::optional<std::string>& web, const std::string& from) {
  const store::BoxRecord record{"me@example.org", from, subject, "1/2/2026 9:00:00 AM", ""};
  return store::MailBox(folder_, box).File(record, text, web);
}

void StoreFolder::AddMessages(const std::string& box, const Names& subjects, bool withWeb) {
  for (const auto& subject : subjects) {
    AddMessage(box, subject, subject + "\r\n", withWeb ? std::optional("<p>" + subject + "</p>") : std::nullopt);
  }
}

FolderContents StoreFolder::Files(const std::string& folder) const { return ReadFolderContents(temp_ / folder); }

void CutOffBeforeTheRewrite(const StoreFolder& store, const std::string& box, std::size_t record) {
  RecordedCalls recorded;
  const std::string list = store::MailBox(store.Folder(), box).ListPath().filename().string();
  bool cut = false;
  recorded.refuse = [&](const FileSystemEvent& event) { return cut = cut || event.target.filename() == list; };
  EXPECT_THROW(store::DeleteMessage(store.Folder(), box, record), std::system_error);
}

std::vector<store::BoxRecord> StoreFolder::Records(const std::string& box) const {
  std::vector<store::BoxRecord> records;
  for (const auto& bytes : store::MailBox(folder_, box).ReadAllBytes()) {
    records.push_back(store::BoxRecord::FromBytes(bytes));
  }
  return records;
}

std::vector<std::string> StoreFolder::Subjects(const std::string& box) const {
  std::vector<std::string> subjects;
  for (const auto& record : Records(box)) subjects.emplace_back(base::TrimBlanks(record.Subject));
  return subjects;
}

std::string StoreFolder::Index(const std::string& box) const { return ReadBytes(temp_ / box / "index.dat"); }

std::filesystem::path StoreData(const std::string& name) {
  return std::filesystem::path(OSTREL_TEST_DATA) / "store" / name;
}

std::vector<std::string> StoreFolder::UnlistedFiles(const std::string& box) const {
  const store::MailBox mailBox(folder_, box);
  std::set<std::string> listed = {"index.dat"};
  for (const auto& record : mailBox.ReadAllBytes()) {
    listed.insert(store::MessageNameOf(record) + ".txt");
    listed.insert(store::MessageNameOf(record) + ".htm");
  }
  std::vector<std::string> unlisted;
  for (const auto& entry : std::filesystem::directory_iterator(mailBox.Folder())) {
    if (!listed.contains(entry.path().filename().string())) unlisted.push_back(entry.path().filename().string());
  }
  return unlisted;
}

void ExpectNothingLeftBehind(const StoreFolder& store) {
  for (const auto& info : store::kBoxes) {
    EXPECT_EQ(store.UnlistedFiles(std::string(info.name)), std::vector<std::string>{}) << info.name;
  }
  for (const auto& entry : std::filesystem::recursive_directory_iterator(store / "")) {
    const std::string name = entry.path().filename().string();
    EXPECT_FALSE(base::IsTemporaryFileName(name) || name == store::kMoveJournalName ||
                 name == store::kReceiptJournalName)
        << entry.path() << " was left behind";
  }
}

}  // namespace ostrel::testing
