// A mail check's batch filed whole, and killed right before each of its
// flushes, renames and removals: once the next start has tidied up, every
// message is filed exactly once or not at all (to be fetched again), never
// listed as "Recovered", and filing the same messages again leaves each in
// its box exactly once.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "base/fixed_records.h"
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
  const std::string n = std::to_string(number);
  return {box, BoxRecord{"me@example.org", "sender@example.org", "message " + n, "1/1/2026 1:00:00 AM", ""},
          "text " + n + "\r\n", "<p>" + n + "</p>", std::move(attachments), "pop.example.org\tme\tid" + n};
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

// Every message of the batch, and any filed before it, listed exactly once.
void ExpectEachListedOnce(const StoreFolder& store, const std::vector<IncomingMessage>& messages,
                          std::size_t total) {
  const auto subjects = FiledSubjects(store, messages);
  EXPECT_EQ(subjects.size(), total);
  for (const auto& [subject, times] : subjects) EXPECT_EQ(times, 1) << subject;
}

// The index of each box, the files together, the journal's folder, the box
// folders, the records of each box, the lines, the attachments' folder, the
// journal's removal: a handful of flushes for 40 messages, not some for each.
TEST(ReceivedBatch, FlushesPerBatchNotPerMessage) {
  StoreFolder store;
  testing::RecordedCalls calls;
  EXPECT_EQ(FileAll(store.Folder(), Messages(40)).size(), 40u);
  testing::ExpectFlushedAroundEveryRename(calls.events);
  const auto flushes = std::count_if(calls.events.begin(), calls.events.end(), [](const FileSystemEvent& event) {
    return event.kind == FileSystemEvent::Kind::Flush || event.kind == FileSystemEvent::Kind::FlushFileSystem;
  });
  EXPECT_LE(flushes, 14);
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
  EXPECT_EQ(FileAll(store.Folder(), messages).size(), 3u);
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
  ExpectEachListedOnce(store, messages, messages.size());
  EXPECT_EQ(ReadReceivedLines(store.Folder()).size(), 3u);
}

TEST(ReceivedBatch, KilledAtAnyMomentEachMessageIsFiledOnceOrFetchedAgain) {
  const FoldersInMemory inMemory;
  const auto messages = Messages(9);
  // The last round is not killed: the whole batch is filed.
  bool killed = true;
  for (std::size_t call = 1; killed; ++call) {
    SCOPED_TRACE("killed before call " + std::to_string(call));
    StoreFolder store;
    // An earlier message of the box, which no settling may touch.
    store.AddMessages("In", {"earlier"}, true);
    killed = KilledBeforeCall([&] { FileAll(store.Folder(), messages); }, call, "the batch");

    const Tidied tidied = TidyAfterInterruptedRuns(store.Folder());
    EXPECT_TRUE(tidied.relistedMessages.empty()) << "the receipt journal alone settles a batch";
    testing::ExpectNothingLeftBehind(store);
    // Filed means listed and remembered; anything else is wholly gone.
    const auto lines = ReadReceivedLines(store.Folder());
    const auto subjects = FiledSubjects(store, messages);
    for (const auto& message : messages) {
      const bool listed = subjects.count(message.record.Subject) != 0;
      EXPECT_EQ(listed, std::ranges::count(lines, message.receivedLine) == 1) << message.record.Subject;
    }

    // The next check fetches what is not remembered and files it once.
    std::vector<IncomingMessage> again;
    for (const auto& message : messages) {
      if (std::ranges::count(lines, message.receivedLine) == 0) again.push_back(message);
    }
    FileAll(store.Folder(), again);
    ExpectEachListedOnce(store, messages, messages.size() + 1);
    EXPECT_EQ(ReadReceivedLines(store.Folder()).size(), messages.size());
    EXPECT_EQ(store.Files("Save").size(), 3u) << "each attachment saved once";
    if (::testing::Test::HasFailure()) return;
  }
}

}  // namespace
}  // namespace ostrel::store
