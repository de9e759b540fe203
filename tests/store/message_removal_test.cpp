// Delete Msg from every box, the Trash rules, KillMessages, EmptyTheTrash and their progress.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

#include "store/box_emptying.h"
#include "store/installation.h"
#include "store/trash_moves.h"
#include "store_folder.h"
#include "support/file_permissions.h"
#include "support/recording_calls.h"
#include "support/recording_dialogs.h"

namespace ostrel::store {
namespace {

using testing::ReadBytes;
using testing::RecordingDialogs;
using testing::StoreFolder;
using testing::WriteBytes;
using Names = std::vector<std::string>;

class DeleteTest : public ::testing::TestWithParam<std::string> {};

TEST_P(DeleteTest, MiddleMessageGoesToTheTrashUnderTheNextTrashNumber) {
  const std::string box = GetParam();
  const bool hasWeb = box != "Sent";
  StoreFolder store;
  store.AddMessage("Trash", "already there", "old\r\n");
  for (const char* subject : {"one", "two", "three"}) {
    store.AddMessage(box, subject, std::string(subject) + " text\r\n",
                     hasWeb ? std::optional<std::string>(std::string("<p>") + subject + "</p>") : std::nullopt);
  }
  const BoxRecord before = store.Records(box)[1];

  EXPECT_EQ(DeleteMessage(store.Folder(), box, 2), "MSG2");

  EXPECT_EQ(store.Subjects(box), (Names{"one", "three"}));
  const auto trash = store.Records("Trash");
  ASSERT_EQ(trash.size(), 2u);
  BoxRecord expected = before;
  expected.MsgFile = "MSG2" + std::string(16, ' ');
  EXPECT_EQ(trash[1], expected);
  EXPECT_EQ(store.Index("Trash"), " 2\r\n");
  EXPECT_EQ(ReadBytes(store / "Trash" / "MSG2.txt"), "two text\r\n");
  EXPECT_EQ(std::filesystem::exists(store / "Trash" / "MSG2.htm"), hasWeb);
  EXPECT_FALSE(std::filesystem::exists(store / box / "MSG2.txt"));
  EXPECT_FALSE(std::filesystem::exists(store / box / "MSG2.htm"));
  EXPECT_TRUE(std::filesystem::exists(store / box / "MSG3.txt"));
  EXPECT_FALSE(std::filesystem::exists(store / "temp.dat"));
}

INSTANTIATE_TEST_SUITE_P(EveryBoxButTheTrash, DeleteTest, ::testing::Values("In", "Sent", "Junk"));

TEST(DeleteFromTrashTest, RemovesTheMessageForGoodWithoutAdvancingTheIndex) {
  StoreFolder store;
  store.AddMessage("Trash", "keep", "k\r\n");
  store.AddMessage("Trash", "drop", "d\r\n", std::string("<p>d</p>"));
  EXPECT_EQ(DeleteMessage(store.Folder(), "Trash", 2), "MSG2");
  EXPECT_EQ(store.Subjects("Trash"), (Names{"keep"}));
  EXPECT_EQ(store.Index("Trash"), " 2\r\n");
  EXPECT_FALSE(std::filesystem::exists(store / "Trash" / "MSG2.txt"));
  EXPECT_FALSE(std::filesystem::exists(store / "Trash" / "MSG2.htm"));
  EXPECT_TRUE(std::filesystem::exists(store / "Trash" / "MSG1.txt"));
}

TEST(DeleteFailureTest, ARecordPastTheEndChangesNothing) {
  StoreFolder store;
  store.AddMessage("In", "one", "x\r\n");
  EXPECT_FALSE(DeleteMessage(store.Folder(), "In", 2).has_value());
  EXPECT_FALSE(DeleteMessage(store.Folder(), "In", 0).has_value());
  EXPECT_EQ(store.Subjects("In"), (Names{"one"}));
  EXPECT_EQ(store.Index("Trash"), " 0\r\n");
}

TEST(DeleteFailureTest, AMissingMessageFileStillMovesTheOnlyRecordAndLeavesAnEmptyList) {
  StoreFolder store;
  store.AddMessage("Junk", "lost", "x\r\n");
  std::filesystem::remove(store / "Junk" / "MSG1.txt");
  EXPECT_EQ(DeleteMessage(store.Folder(), "Junk", 1), "MSG1");
  EXPECT_TRUE(std::filesystem::exists(store / "junk.dat"));
  EXPECT_EQ(std::filesystem::file_size(store / "junk.dat"), 0u);
  EXPECT_EQ(store.Subjects("Trash"), (Names{"lost"}));
}

TEST(DeleteFailureTest, AFailedTrashCopyKeepsTheMessageInItsBox) {
  StoreFolder store;
  store.AddMessage("In", "precious", "keep me\r\n");
  // The disk refuses the copy's text file, every time.
  testing::RecordedCalls calls;
  calls.refuse = [](const testing::FileSystemEvent& event) { return event.target.filename().string().ends_with(".txt"); };
  EXPECT_THROW(DeleteMessage(store.Folder(), "In", 1), TrashCopyError);
  EXPECT_EQ(store.Subjects("In"), (Names{"precious"}));
  EXPECT_EQ(ReadBytes(store / "In" / "MSG1.txt"), "keep me\r\n");
  EXPECT_EQ(store.Subjects("Trash"), Names{});

  RecordingDialogs dialogs;
  Installation installation(store.Folder(), dialogs);
  installation.Selection.CurrentBox = BoxName::In;
  installation.Selection.CurrentRecord = 1;
  const auto view = installation.DeleteMsg();
  EXPECT_EQ(view->caption, "InBox (1 msgs)");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "The message could not be copied to the Trash, so it was left in its box.");
}

TEST(DeleteFailureTest, ABoxListThatMayNotBeWrittenStopsTheMoveBeforeAnythingChanges) {
  for (const char* list : {"inbox.dat", "trash.dat"}) {
    SCOPED_TRACE(list);
    StoreFolder store;
    store.AddMessage("In", "a", "a\r\n");
    store.AddMessage("Trash", "old", "old\r\n");
    RecordingDialogs dialogs;
    Installation installation(store.Folder(), dialogs);
    installation.Selection.CurrentBox = BoxName::In;
    installation.Selection.CurrentRecord = 1;
    {
      testing::ReadOnly readOnly(store / list);
      testing::BindingPermissions binding;
      EXPECT_THROW(installation.DeleteMsg(), std::system_error);
    }
    EXPECT_EQ(store.Subjects("In"), (Names{"a"}));
    EXPECT_EQ(store.Subjects("Trash"), (Names{"old"}));
    EXPECT_EQ(store.Index("Trash"), " 1\r\n");
    EXPECT_FALSE(std::filesystem::exists(store / "Trash" / "MSG2.txt"));
    EXPECT_EQ(ReadBytes(store / "In" / "MSG1.txt"), "a\r\n");
  }
}

TEST(DeleteMsgTest, ActsOnTheCurrentRecordAndReloadsTheBox) {
  StoreFolder store;
  store.AddMessage("In", "a", "a\r\n");
  store.AddMessage("In", "b", "b\r\n");
  RecordingDialogs dialogs;
  Installation installation(store.Folder(), dialogs);
  installation.Selection.CurrentBox = BoxName::In;
  ASSERT_TRUE(installation.SelectRow(1));
  const auto view = installation.DeleteMsg();
  ASSERT_TRUE(view.has_value());
  EXPECT_EQ(view->caption, "InBox (1 msgs)");
  EXPECT_EQ(base::TrimBlanks(view->rows[0].Subject), "b");
  EXPECT_EQ(installation.Selection.CurrentMessage, "MSG1");
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST(KillMessagesTest, EmptiesOnlyTheProgramsDataFoldersAndResetsABoxIndexOnly) {
  StoreFolder store;
  store.AddMessage("In", "a", "a\r\n", std::string("w"));
  store.AddMessage("In", "b", "b\r\n");
  std::filesystem::create_directory(store / "In" / "sub");
  WriteBytes(store / "In" / "sub" / "kept.txt", "x");
  KillMessages(store.Folder(), "In");
  EXPECT_EQ(store.Index("In"), " 0\r\n");
  Names left;
  for (const auto& entry : std::filesystem::directory_iterator(store / "In")) {
    left.push_back(entry.path().filename().string());
  }
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (Names{"index.dat", "sub"}));
  EXPECT_TRUE(std::filesystem::exists(store / "In" / "sub" / "kept.txt"));

  WriteBytes(store / "Save" / "a.enc", "x");
  KillMessages(store.Folder(), "Save");
  EXPECT_TRUE(std::filesystem::is_empty(store / "Save"));  // an attachment folder gets no index

  WriteBytes(store / "email.opt", "kept");
  for (const char* outside : {".", "../x", "in"}) {
    EXPECT_THROW(KillMessages(store.Folder(), outside), std::invalid_argument) << outside;
  }
  EXPECT_EQ(ReadBytes(store / "email.opt"), "kept");
}

TEST(EmptyTheTrashTest, DeletesTheNamedFilesAndEmptiesTheListButKeepsTheIndex) {
  StoreFolder store;
  EXPECT_EQ(EmptyTheTrash(store.Folder()), "");
  store.AddMessage("Trash", "a", "a\r\n", std::string("wa"));
  store.AddMessage("Trash", "b", "b\r\n", std::string("wb"));
  store.AddMessage("Trash", "c", "c\r\n");
  std::filesystem::remove(store / "Trash" / "MSG3.txt");  // a missing file is skipped
  WriteBytes(store / "Trash" / "MSG77.txt", "named by no record");
  EXPECT_EQ(EmptyTheTrash(store.Folder()), "MSG3");
  EXPECT_EQ(std::filesystem::file_size(store / "trash.dat"), 0u);
  for (const char* name : {"MSG1.txt", "MSG1.htm", "MSG2.txt", "MSG2.htm"}) {
    EXPECT_FALSE(std::filesystem::exists(store / "Trash" / name)) << name;
  }
  EXPECT_TRUE(std::filesystem::exists(store / "Trash" / "MSG77.txt"));
  EXPECT_EQ(store.Index("Trash"), " 3\r\n");
}

TEST(CleanUpEntryTest, TheCaptionsFirstWordNamesTheBox) {
  const std::pair<const char*, BoxName> cases[] = {
      {"InBox (3 msgs)", BoxName::In}, {"Sent (3 msgs)", BoxName::Sent},
      {"Junk (3 msgs)", BoxName::Junk}, {"Trash (3 msgs)", BoxName::Trash}};
  for (const auto& [caption, box] : cases) EXPECT_EQ(Installation::CleanUpBoxFromCaption(caption), box) << caption;
  for (const char* caption : {"InBox", "", "Messages (2 msgs)"}) {
    EXPECT_FALSE(Installation::CleanUpBoxFromCaption(caption).has_value()) << caption;
  }
}

// Long removals say how far they have come: counts only go up, never pass the
// total, and end at it, whatever the input.
struct ProgressLog {
  std::vector<std::pair<std::size_t, std::size_t>> steps;

  base::ProgressReport Report() {
    return [this](std::size_t done, std::size_t total) { steps.emplace_back(done, total); };
  }

  // Every report has the same total, counts never go back or past it, and
  // the last report says the work is done.
  void ExpectCompleteCountTo(std::size_t total) const {
    ASSERT_FALSE(steps.empty());
    std::size_t previous = 0;
    for (const auto& [done, reportedTotal] : steps) {
      EXPECT_EQ(reportedTotal, total);
      EXPECT_GE(done, previous);
      EXPECT_LE(done, total);
      previous = done;
    }
    EXPECT_EQ(steps.back().first, total);
  }
};

TEST(ProgressReportTest, RemovingRecordsCountsEveryStepOfItsWork) {
  struct Case {
    const char* box;
    std::set<std::size_t> records;
    std::size_t steps;  // a move to the Trash is a copy and a removal
  };
  // Record 9 does not exist and is no work.
  for (const Case& test : {Case{"In", {1, 3, 9}, 4}, Case{"Trash", {1, 2, 3}, 3}, Case{"Sent", {9}, 0}}) {
    SCOPED_TRACE(test.box);
    StoreFolder store;
    for (const char* subject : {"a", "b", "c", "d"}) store.AddMessage(test.box, subject, "text\r\n");
    ProgressLog log;
    RemoveRecords(store.Folder(), test.box, test.records, log.Report());
    log.ExpectCompleteCountTo(test.steps);
    EXPECT_EQ(log.steps.front().first, 0u);
  }
}

TEST(ProgressReportTest, EmptyingTheTrashCountsItsMessages) {
  StoreFolder store;
  for (int i = 0; i < 5; ++i) store.AddMessage("Trash", "old", "text\r\n");
  ProgressLog log;
  EXPECT_EQ(EmptyTheTrash(store.Folder(), log.Report()), "MSG5");
  log.ExpectCompleteCountTo(5);
}

}  // namespace
}  // namespace ostrel::store
