// A mail check's batch filed whole, and killed right before each of its
// flushes, renames and removals: once the next start has tidied up, every
// message is filed exactly once or not at all (to be fetched again), never
// listed as "Recovered", and filing the same messages again leaves each in
// its box exactly once.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>

#include "base/fixed_records.h"
#include "base/safe_file.h"
#include "store/box_record.h"
#include "store/interrupted_runs.h"
#include "store/mail_box.h"
#include "store/receipt_journal.h"
#include "store/received_batch.h"
#include "store_folder.h"
#include "support/flush_order.h"
#include "support/kills.h"
#include "support/recording_calls.h"

namespace ostrel::store {
namespace {

using testing::FileSystemEvent;
using testing::FoldersInMemory;
using testing::KilledBeforeCall;
using testing::ReadBytes;
using testing::StoreFolder;
using testing::WriteBytes;

IncomingMessage Message(const std::string& box, int number, std::vector<IncomingAttachment> attachments = {}) {
  IncomingMessage message;
  message.box = box;
  message.record.From = "sender@example.org";
  message.record.To = "me@example.org";
  message.record.Subject = "message " + std::to_string(number);
  message.record.Date = "1/1/2026 1:00:00 AM";
  message.text = "text " + std::to_string(number) + "\r\n";
  message.web = "<p>" + std::to_string(number) + "</p>";
  message.attachments = std::move(attachments);
  message.receivedLine = "pop.example.org\tme\tid" + std::to_string(number);
  return message;
}

std::vector<IncomingMessage> Messages(int count) {
  std::vector<IncomingMessage> messages;
  for (int i = 1; i <= count; ++i) {
    messages.push_back(Message(i % 4 == 0 ? "Junk" : "In", i,
                               i % 3 == 0 ? std::vector<IncomingAttachment>{{"report.pdf", "pdf " + std::to_string(i)}}
                                          : std::vector<IncomingAttachment>{}));
  }
  return messages;
}

std::vector<FiledMessage> FileAll(const std::string& folder, const std::vector<IncomingMessage>& messages) {
  ReceivedBatch batch(folder);
  for (const auto& message : messages) batch.Add(message);
  return batch.File();
}

// subject -> how many records of In and Junk name it, each record's files
// checked against what was received.
std::map<std::string, int> FiledSubjects(const StoreFolder& store, const std::vector<IncomingMessage>& messages) {
  std::map<std::string, const IncomingMessage*> bySubject;
  for (const auto& message : messages) bySubject[message.record.Subject] = &message;
  std::map<std::string, int> filed;
  for (const char* boxName : {"In", "Junk"}) {
    const MailBox box(store.Folder(), boxName);
    for (const auto& bytes : box.ReadAllBytes()) {
      const BoxRecord record = BoxRecord::FromBytes(bytes);
      const std::string subject(base::TrimBlanks(record.Subject));
      ++filed[subject];
      const auto found = bySubject.find(subject);
      if (found == bySubject.end()) continue;  // filed before the batch
      EXPECT_EQ(found->second->box, boxName) << subject;
      EXPECT_EQ(ReadBytes(box.TextPath(record.MessageName())), found->second->text) << subject;
      EXPECT_EQ(ReadBytes(box.WebPath(record.MessageName())), found->second->web) << subject;
    }
  }
  return filed;
}

std::multiset<std::string> ReceivedLines(const StoreFolder& store) {
  const auto lines = ReadReceivedLines(store.Folder());
  return {lines.begin(), lines.end()};
}

std::size_t Flushes(const std::vector<FileSystemEvent>& events) {
  return static_cast<std::size_t>(std::count_if(events.begin(), events.end(), [](const FileSystemEvent& event) {
    return event.kind == FileSystemEvent::Kind::Flush || event.kind == FileSystemEvent::Kind::FlushFileSystem;
  }));
}

TEST(ReceivedBatch, FilesEveryMessageWithItsFilesRecordAndLineAndFlushesPerBatchNotPerMessage) {
  std::map<int, std::size_t> flushesFor;
  for (const int count : {5, 40}) {
    SCOPED_TRACE(std::to_string(count) + " messages");
    StoreFolder store;
    const auto messages = Messages(count);
    testing::RecordedCalls calls;
    const auto filed = FileAll(store.Folder(), messages);
    EXPECT_EQ(filed.size(), messages.size());
    const auto subjects = FiledSubjects(store, messages);
    EXPECT_EQ(subjects.size(), messages.size());
    for (const auto& [subject, times] : subjects) EXPECT_EQ(times, 1) << subject;
    std::multiset<std::string> lines;
    for (const auto& message : messages) lines.insert(message.receivedLine);
    EXPECT_EQ(ReceivedLines(store), lines);
    EXPECT_FALSE(std::filesystem::exists(store / kReceiptJournalName));
    testing::ExpectFlushedAroundEveryRename(calls.events);
    flushesFor[count] = Flushes(calls.events);
  }
  // The index of each box, the files together, the journal's folder, the
  // box folders, the records of each box, the lines, the attachments'
  // folder, the journal's removal: as many for 40 as for 5.
  EXPECT_EQ(flushesFor[5], flushesFor[40]);
  EXPECT_LE(flushesFor[40], 14u);
}

// Attachment names from a hostile sender stay in "Save", and a name already
// there or taken by an earlier attachment of the same batch gets a number.
TEST(ReceivedBatch, AttachmentsTakeFreeNamesInTheSaveFolder) {
  StoreFolder store;
  WriteBytes(store / "Save" / "same.txt.enc", "already here");
  const std::vector<IncomingMessage> messages = {
      Message("In", 1, {{"same.txt.enc", "first"}, {"attachment", "a1"}}),
      Message("In", 2, {{"same.txt.enc", "second"}, {"attachment", "a2"}}),
      Message("Junk", 3)};
  const auto filed = FileAll(store.Folder(), messages);
  ASSERT_EQ(filed.size(), 3u);
  std::vector<std::string> names;
  for (const auto& message : filed) {
    for (const auto& path : message.attachments) {
      EXPECT_EQ(path.parent_path(), store / "Save");
      names.push_back(path.filename().string());
    }
  }
  EXPECT_EQ(names, (std::vector<std::string>{"same (2).txt.enc", "attachment", "same (3).txt.enc", "attachment (2)"}));
  EXPECT_EQ(store.Files("Save"), (testing::FolderContents{{"attachment", "a1"}, {"attachment (2)", "a2"},
                                                          {"same (2).txt.enc", "first"}, {"same (3).txt.enc", "second"},
                                                          {"same.txt.enc", "already here"}}));
}

// A message "uidl.dat" already remembers was filed by another run: the
// batch drops it rather than filing it twice.
TEST(ReceivedBatch, AMessageAlreadyRememberedIsNotFiledAgain) {
  StoreFolder store;
  const auto messages = Messages(3);
  FileAll(store.Folder(), {messages[1]});
  const auto filed = FileAll(store.Folder(), messages);
  EXPECT_EQ(filed.size(), 2u);
  for (const auto& [subject, times] : FiledSubjects(store, messages)) EXPECT_EQ(times, 1) << subject;
  EXPECT_EQ(ReceivedLines(store).size(), 3u);
}

TEST(ReceivedBatch, KilledAtAnyMomentEachMessageIsFiledOnceOrFetchedAgain) {
  const FoldersInMemory inMemory;
  const auto messages = Messages(9);
  std::size_t calls = 0;
  {
    StoreFolder store;
    testing::RecordedCalls recorded;
    FileAll(store.Folder(), messages);
    calls = recorded.events.size();
  }
  ASSERT_GT(calls, 5u);
  for (std::size_t call = 1; call <= calls + 1; ++call) {
    SCOPED_TRACE("killed before call " + std::to_string(call) + " of " + std::to_string(calls));
    StoreFolder store;
    // An earlier message of the box, which no settling may touch.
    store.AddMessages("In", {"earlier"}, true);
    EXPECT_EQ(KilledBeforeCall([&] { FileAll(store.Folder(), messages); }, call, "the batch"), call <= calls);

    const Tidied tidied = TidyAfterInterruptedRuns(store.Folder());
    EXPECT_TRUE(tidied.relistedMessages.empty()) << "the receipt journal alone settles a batch";
    EXPECT_FALSE(std::filesystem::exists(store / kReceiptJournalName));
    // Filed means listed and remembered; anything else is wholly gone.
    const auto lines = ReceivedLines(store);
    const auto subjects = FiledSubjects(store, messages);
    for (const auto& message : messages) {
      const bool listed = subjects.count(message.record.Subject) != 0;
      EXPECT_EQ(listed, lines.count(message.receivedLine) == 1) << message.record.Subject;
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(store / "")) {
      EXPECT_FALSE(base::IsTemporaryFileName(entry.path().filename().string())) << entry.path() << " was left";
    }
    for (const char* boxName : {"In", "Junk"}) {
      EXPECT_EQ(store.UnlistedFiles(boxName), std::vector<std::string>{}) << boxName;
    }

    // The next check fetches what is not remembered and files it once.
    std::vector<IncomingMessage> again;
    for (const auto& message : messages) {
      if (lines.count(message.receivedLine) == 0) again.push_back(message);
    }
    FileAll(store.Folder(), again);
    const auto after = FiledSubjects(store, messages);
    EXPECT_EQ(after.size(), messages.size() + 1);
    for (const auto& [subject, times] : after) EXPECT_EQ(times, 1) << subject;
    EXPECT_EQ(ReceivedLines(store).size(), messages.size());
    const auto saved = store.Files("Save");
    EXPECT_EQ(saved.size(), 3u) << "each attachment saved once";
    for (const auto& [name, bytes] : saved) EXPECT_FALSE(base::IsTemporaryFileName(name)) << name;
    if (::testing::Test::HasFailure()) return;
  }
}

}  // namespace
}  // namespace ostrel::store
