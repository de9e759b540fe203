// The clean-up: its rows, its questions, and moving or removing the picks.

#include <gtest/gtest.h>

#include "store/clean_up.h"
#include "store/mail_box.h"
#include "store_folder.h"
#include "support/recording_calls.h"
#include "support/recording_dialogs.h"

namespace ostrel::store {
namespace {

using testing::ReadBytes;
using testing::RecordingDialogs;
using testing::StoreFolder;
using Names = std::vector<std::string>;

TEST(CleanUpListTest, AnEmptyBoxClosesAtOnceAndRowsAreNewestFirstInThreeColumnsOfThirty) {
  StoreFolder store;
  const CleanUp empty(store.Folder(), "Junk");
  EXPECT_TRUE(empty.ByPassClean());
  EXPECT_TRUE(empty.Rows().empty());
  EXPECT_EQ(empty.Caption(), "Clean Up Junk Box");
  store.AddMessage("In", "short", "x\r\n", std::nullopt, "a@example.org");
  store.AddMessage("In", std::string(45, 'S'), "x\r\n", std::nullopt, std::string(50, 'F'));
  store.AddMessage("In", "caf\u00e9", "x\r\n", std::nullopt, "Ren\u00e9e");
  CleanUp cleanUp(store.Folder(), "In");
  EXPECT_FALSE(cleanUp.ByPassClean());
  EXPECT_EQ(cleanUp.Caption(), "Clean Up In Box");
  ASSERT_EQ(cleanUp.Rows().size(), 3u);
  EXPECT_EQ(cleanUp.RecordNumbers(), (std::vector<std::size_t>{3, 2, 1}));
  const std::string date = "1/2/2026 9:00:00 AM" + std::string(11, ' ');
  EXPECT_EQ(cleanUp.Rows()[1], std::string(30, 'F') + " " + std::string(30, 'S') + " " + date);
  EXPECT_EQ(cleanUp.Rows()[2], "a@example.org" + std::string(17, ' ') + " short" + std::string(25, ' ') + " " + date);
  EXPECT_EQ(cleanUp.Rows()[0], FitToColumn("Ren\u00e9e", 30) + " " + FitToColumn("caf\u00e9", 30) + " " + date);
  EXPECT_EQ(FitToColumn("Ren\u00e9e", 30).size(), 31u);  // 30 characters, one of them two bytes
}

class CleanUpDeleteTest : public ::testing::Test {
 protected:
  void Fill(const std::string& box) {
    for (const char* subject : {"r1", "r2", "r3", "r4"}) {
      store.AddMessage(box, subject, std::string(subject) + "\r\n", std::string("<p>") + subject + "</p>");
    }
  }
  StoreFolder store;
  RecordingDialogs dialogs;
};

TEST_F(CleanUpDeleteTest, NothingSelectedOrAnsweringNoChangesNothing) {
  Fill("In");
  const std::string before = ReadBytes(store / "inbox.dat");
  CleanUp cleanUp(store.Folder(), "In");
  EXPECT_EQ(cleanUp.Delete({}, dialogs), CleanUp::Outcome::NothingSelected);
  EXPECT_EQ(dialogs.ShownTexts(), (Names{"No Messages were selected."}));
  EXPECT_TRUE(dialogs.asked.empty());
  dialogs.answers = {base::Answer::No};
  EXPECT_EQ(cleanUp.Delete({0, 1}, dialogs), CleanUp::Outcome::Declined);
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0], (base::MessageBox{"Are you sure you want to delete the Messages selected?",
                                                 "Delete Confirm", base::Buttons::YesNo, base::Icon::None}));
  EXPECT_EQ(ReadBytes(store / "inbox.dat"), before);
  EXPECT_EQ(store.Index("Trash"), " 0\r\n");
}

TEST_F(CleanUpDeleteTest, CleaningTheInBoxMovesThePicksToTheTrashUnchanged) {
  Fill("In");
  store.AddMessage("Trash", "old", "old\r\n");
  const auto inBefore = store.Records("In");
  CleanUp cleanUp(store.Folder(), "In");
  dialogs.answers = {base::Answer::Yes};
  EXPECT_EQ(cleanUp.Delete({0, 2}, dialogs), CleanUp::Outcome::Deleted);  // records 4 and 2

  EXPECT_EQ(store.Subjects("In"), (Names{"r1", "r3"}));
  const auto trash = store.Records("Trash");
  ASSERT_EQ(trash.size(), 3u);
  // Moved in record order: record 2 first, then record 4.
  BoxRecord second = inBefore[1];
  second.MsgFile = "MSG2" + std::string(16, ' ');
  BoxRecord fourth = inBefore[3];
  fourth.MsgFile = "MSG3" + std::string(16, ' ');
  EXPECT_EQ(trash[1], second);
  EXPECT_EQ(trash[2], fourth);
  EXPECT_EQ(ReadBytes(store / "Trash" / "MSG2.txt"), "r2\r\n");
  EXPECT_EQ(ReadBytes(store / "Trash" / "MSG3.htm"), "<p>r4</p>");
  EXPECT_FALSE(std::filesystem::exists(store / "In" / "MSG2.txt"));
  EXPECT_FALSE(std::filesystem::exists(store / "In" / "MSG4.htm"));
  EXPECT_EQ(cleanUp.Rows().size(), 2u);
  EXPECT_FALSE(cleanUp.ByPassClean());
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(CleanUpDeleteTest, DeletingEveryMessageSetsByPassClean) {
  Fill("Sent");
  CleanUp cleanUp(store.Folder(), "Sent");
  dialogs.answers = {base::Answer::Yes};
  cleanUp.Delete({0, 1, 2, 3}, dialogs);
  EXPECT_TRUE(cleanUp.ByPassClean());
  EXPECT_EQ(std::filesystem::file_size(store / "sent.dat"), 0u);
  EXPECT_EQ(store.Subjects("Trash"), (Names{"r1", "r2", "r3", "r4"}));
}

TEST_F(CleanUpDeleteTest, EqualRowsAreToldApartByTheirRecordNumbers) {
  for (int i = 0; i < 3; ++i) store.AddMessage("Junk", "same", "body " + std::to_string(i) + "\r\n");
  CleanUp cleanUp(store.Folder(), "Junk");
  ASSERT_EQ(cleanUp.Rows()[0], cleanUp.Rows()[2]);
  dialogs.answers = {base::Answer::Yes};
  cleanUp.Delete({2}, dialogs);  // the oldest, record 1
  EXPECT_EQ(ReadBytes(store / "Trash" / "MSG1.txt"), "body 0\r\n");
  EXPECT_EQ(store.Records("Junk")[0].MessageName(), "MSG2");
}

TEST_F(CleanUpDeleteTest, AnUnselectedRecordWhoseToBeginsWithAStarStays) {
  MailBox(store.Folder(), "In").File(BoxRecord{"*list@example.org", "a", "starred", "", ""}, "x\r\n", std::nullopt);
  store.AddMessage("In", "picked", "y\r\n");
  CleanUp cleanUp(store.Folder(), "In");
  dialogs.answers = {base::Answer::Yes};
  cleanUp.Delete({0}, dialogs);
  EXPECT_EQ(store.Subjects("In"), (Names{"starred"}));
  EXPECT_EQ(store.Subjects("Trash"), (Names{"picked"}));
  EXPECT_EQ(base::TrimBlanks(store.Records("In")[0].To), "*list@example.org");
}

TEST_F(CleanUpDeleteTest, APickWhoseCopyFailsStaysAndIsReported) {
  Fill("In");
  CleanUp cleanUp(store.Folder(), "In");
  dialogs.answers = {base::Answer::Yes};
  testing::RecordedCalls calls;
  calls.refuse = [&](const testing::FileSystemEvent& event) { return event.target.filename() == "MSG1.htm"; };
  cleanUp.Delete({2, 3}, dialogs);  // records 2 and 1; record 1 is copied first, as MSG1
  EXPECT_EQ(store.Subjects("In"), (Names{"r1", "r3", "r4"}));
  EXPECT_EQ(store.Subjects("Trash"), (Names{"r2"}));
  EXPECT_TRUE(std::filesystem::exists(store / "In" / "MSG1.txt"));
  EXPECT_FALSE(std::filesystem::exists(store / "Trash" / "MSG1.txt"));
  EXPECT_EQ(dialogs.ShownTexts(),
            (Names{"Some messages could not be copied to the Trash and were left in the box."}));
}

}  // namespace
}  // namespace ostrel::store
