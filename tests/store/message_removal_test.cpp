// Delete Msg from every box, the Trash rules, KillMessages and EmptyTheTrash.

#include <gtest/gtest.h>

#include "store/box_emptying.h"
#include "store/trash_moves.h"
#include "store_folder.h"
#include "support/recording_calls.h"

namespace ostrel::store {
namespace {

using testing::FolderContents;
using testing::Names;
using testing::ReadBytes;
using testing::StoreFolder;
using testing::WriteBytes;

class DeleteTest : public ::testing::TestWithParam<std::string> {};

TEST_P(DeleteTest, MiddleMessageGoesToTheTrashUnderTheNextTrashNumber) {
  const std::string box = GetParam();
  const bool hasWeb = box != "Sent";
  StoreFolder store;
  store.AddMessages("Trash", {"old"});
  store.AddMessages(box, {"one", "two", "three"}, hasWeb);
  BoxRecord moved = store.Records(box)[1];
  moved.MsgFile = "MSG2" + std::string(16, ' ');

  EXPECT_EQ(DeleteMessage(store.Folder(), box, 2), "MSG2");

  EXPECT_EQ(store.Subjects(box), (Names{"one", "three"}));
  const auto trashRecords = store.Records("Trash");
  ASSERT_EQ(trashRecords.size(), 2u);
  EXPECT_EQ(trashRecords[1], moved);
  FolderContents trash{{"MSG1.txt", "old\r\n"}, {"MSG2.txt", "two\r\n"}, {"index.dat", " 2\r\n"}};
  FolderContents left{{"MSG1.txt", "one\r\n"}, {"MSG3.txt", "three\r\n"}, {"index.dat", " 3\r\n"}};
  if (hasWeb) trash.merge(FolderContents{{"MSG2.htm", "<p>two</p>"}});
  if (hasWeb) left.merge(FolderContents{{"MSG1.htm", "<p>one</p>"}, {"MSG3.htm", "<p>three</p>"}});
  EXPECT_EQ(store.Files("Trash"), trash);
  EXPECT_EQ(store.Files(box), left);
}

INSTANTIATE_TEST_SUITE_P(EveryBoxButTheTrash, DeleteTest, ::testing::Values("In", "Sent", "Junk"));

TEST(DeleteFailureTest, ARecordPastTheEndChangesNothingAndAMissingFileStillMoves) {
  StoreFolder store;
  store.AddMessages("In", {"one"});
  EXPECT_FALSE(DeleteMessage(store.Folder(), "In", 2).has_value());
  EXPECT_FALSE(DeleteMessage(store.Folder(), "In", 0).has_value());
  EXPECT_EQ(store.Subjects("In"), (Names{"one"}));
  EXPECT_EQ(store.Index("Trash"), " 0\r\n");

  // A missing message file still lets the only record of a box move.
  store.AddMessages("Junk", {"lost"});
  std::filesystem::remove(store / "Junk" / "MSG1.txt");
  EXPECT_EQ(DeleteMessage(store.Folder(), "Junk", 1), "MSG1");
  EXPECT_EQ(ReadBytes(store / "junk.dat"), "");
  EXPECT_EQ(store.Subjects("Trash"), (Names{"lost"}));
}

using DeleteMsgTest = testing::InstalledTest;

TEST_F(DeleteMsgTest, AFailedTrashCopyKeepsTheMessageInItsBox) {
  store.AddMessages("In", {"precious"});
  // The disk refuses the copy's text file, every time.
  testing::RecordedCalls calls;
  calls.refuse = [](const testing::FileSystemEvent& event) { return event.target.filename().string().ends_with(".txt"); };
  installation.Selection.CurrentRecord = 1;
  EXPECT_EQ(installation.DeleteMsg()->caption, "InBox (1 msgs)");
  EXPECT_EQ(store.Subjects("Trash"), Names{});
  EXPECT_EQ(dialogs.ShownTexts(), (Names{"The message could not be copied to the Trash, so it was left in its box."}));
}

TEST(KillMessagesTest, EmptiesABoxFolderButItsSubfoldersAndNothingOutsideTheDataFolders) {
  StoreFolder store;
  store.AddMessages("In", {"a", "b"}, true);
  std::filesystem::create_directory(store / "In" / "sub");
  WriteBytes(store / "In" / "sub" / "kept.txt", "x");
  KillMessages(store.Folder(), "In");
  EXPECT_EQ(store.Files("In"), (FolderContents{{"index.dat", " 0\r\n"}, {"sub/", ""}, {"sub/kept.txt", "x"}}));
  WriteBytes(store / "email.opt", "kept");
  for (const char* outside : {".", "../x", "in"}) {
    EXPECT_THROW(KillMessages(store.Folder(), outside), std::invalid_argument) << outside;
  }
  EXPECT_EQ(ReadBytes(store / "email.opt"), "kept");
}

TEST(EmptyTheTrashTest, DeletesTheNamedFilesAndEmptiesTheListButKeepsTheIndex) {
  StoreFolder store;
  EXPECT_EQ(EmptyTheTrash(store.Folder()), "");
  store.AddMessages("Trash", {"a", "b"}, true);
  store.AddMessages("Trash", {"c"});
  std::filesystem::remove(store / "Trash" / "MSG3.txt");  // a missing file is skipped
  WriteBytes(store / "Trash" / "MSG77.txt", "named by no record");
  EXPECT_EQ(EmptyTheTrash(store.Folder()), "MSG3");
  EXPECT_EQ(ReadBytes(store / "trash.dat"), "");
  EXPECT_EQ(store.Files("Trash"), (FolderContents{{"MSG77.txt", "named by no record"}, {"index.dat", " 3\r\n"}}));
}

}  // namespace
}  // namespace ostrel::store
