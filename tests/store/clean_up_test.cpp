// The clean-up: its questions, and moving or removing the picks.

#include <gtest/gtest.h>

#include "store/clean_up.h"
#include "store/mail_box.h"
#include "store_folder.h"
#include "support/recording_calls.h"

namespace ostrel::store {
namespace {

using testing::FolderContents;
using testing::Names;
using testing::ReadBytes;

class CleanUpTest : public ::testing::Test {
 protected:
  // Answers yes and deletes the rows picked from the box's clean-up.
  void Deleted(const std::string& box, const std::vector<std::size_t>& rows) {
    CleanUp cleanUp(store.Folder(), box);
    dialogs.answers = {base::Answer::Yes};
    EXPECT_EQ(cleanUp.Delete(rows, dialogs), CleanUp::Outcome::Deleted);
  }

  testing::StoreFolder store;
  testing::RecordingDialogs dialogs;
};

TEST_F(CleanUpTest, NothingSelectedOrAnsweringNoChangesNothing) {
  store.AddMessages("In", {"r1", "r2", "r3", "r4"}, true);
  const FolderContents before = store.Files("");
  CleanUp cleanUp(store.Folder(), "In");
  EXPECT_EQ(cleanUp.Delete({}, dialogs), CleanUp::Outcome::NothingSelected);
  EXPECT_EQ(dialogs.ShownTexts(), (Names{"No Messages were selected."}));
  EXPECT_TRUE(dialogs.asked.empty());
  dialogs.answers = {base::Answer::No};
  EXPECT_EQ(cleanUp.Delete({0, 1}, dialogs), CleanUp::Outcome::Declined);
  EXPECT_EQ(dialogs.asked, (std::vector<base::MessageBox>{{"Are you sure you want to delete the Messages selected?",
                                                            "Delete Confirm", base::Buttons::YesNo, base::Icon::None}}));
  EXPECT_EQ(store.Files(""), before);
}

TEST_F(CleanUpTest, EqualRowsAreToldApartByTheirRecordNumbers) {
  for (int i = 0; i < 3; ++i) store.AddMessage("Junk", "same", "body " + std::to_string(i) + "\r\n");
  ASSERT_EQ(CleanUp(store.Folder(), "Junk").Rows()[0], CleanUp(store.Folder(), "Junk").Rows()[2]);
  Deleted("Junk", {2});  // the oldest, record 1
  EXPECT_EQ(ReadBytes(store / "Trash" / "MSG1.txt"), "body 0\r\n");
  EXPECT_EQ(store.Records("Junk")[0].MessageName(), "MSG2");
}

TEST_F(CleanUpTest, AnUnselectedRecordWhoseToBeginsWithAStarStays) {
  MailBox(store.Folder(), "In").File(BoxRecord{"*list@example.org", "a", "starred", "", ""}, "x\r\n", std::nullopt);
  store.AddMessages("In", {"picked"});
  Deleted("In", {0});
  EXPECT_EQ(store.Subjects("In"), (Names{"starred"}));
  EXPECT_EQ(store.Subjects("Trash"), (Names{"picked"}));
  EXPECT_EQ(base::TrimBlanks(store.Records("In")[0].To), "*list@example.org");
}

TEST_F(CleanUpTest, APickWhoseCopyFailsStaysAndIsReported) {
  store.AddMessages("In", {"r1", "r2", "r3", "r4"}, true);
  testing::RecordedCalls calls;
  calls.refuse = [&](const testing::FileSystemEvent& event) { return event.target.filename() == "MSG1.htm"; };
  Deleted("In", {2, 3});  // records 2 and 1; record 1 is copied first, as MSG1
  EXPECT_EQ(store.Subjects("In"), (Names{"r1", "r3", "r4"}));
  EXPECT_EQ(store.Subjects("Trash"), (Names{"r2"}));
  EXPECT_TRUE(std::filesystem::exists(store / "In" / "MSG1.txt"));
  EXPECT_FALSE(std::filesystem::exists(store / "Trash" / "MSG1.txt"));
  EXPECT_EQ(dialogs.ShownTexts(),
            (Names{"Some messages could not be copied to the Trash and were left in the box."}));
}

}  // namespace
}  // namespace ostrel::store
