// Box lists, box folders, index files and message files are found whatever
// the letter case of their names, as on the file systems program folders come
// from; what the program makes gets its own spelling.

#include <gtest/gtest.h>

#include "base/safe_file.h"
#include "store/box_emptying.h"
#include "store/box_index.h"
#include "store/box_view.h"
#include "store/import_reset.h"
#include "store/mail_box.h"
#include "store_folder.h"

namespace ostrel::store {
namespace {

using testing::FolderContents;
using testing::ReadBytes;
using testing::WriteBytes;
namespace fs = std::filesystem;

using LetterCaseNamesTest = testing::InstalledTest;

// An In box as another program may have left it: "INBOX.DAT", "INDEX.DAT",
// and a record naming "msg1" beside "MSG1.TXT" and "MSG1.HTM".
TEST_F(LetterCaseNamesTest, ABoxListIndexAndMessageFilesInAnotherCaseAreFoundAndKeptInTheirSpelling) {
  fs::remove(store / "In" / "index.dat");
  WriteBytes(store / "In" / "INDEX.DAT", " 1\r\n");
  WriteBytes(store / "In" / "MSG1.TXT", "upper\r\n");
  WriteBytes(store / "In" / "MSG1.HTM", "<p>upper</p>\r\n");
  WriteBytes(store / "INBOX.DAT", BoxRecord{"me@example.org", "old@example.org", "old", "1/2/2026", "msg1"}.ToBytes());

  EXPECT_EQ(installation.LoadBox()->caption, "InBox (1 msgs)");
  EXPECT_EQ(installation.OpenMessage(1)->text, "upper\r\n");

  // Filing goes into the same list, under the next number, in the program's spelling.
  EXPECT_EQ(MailBox(store.Folder(), "In").File({"", "Import", "new", "", ""}, "new\r\n", std::nullopt), "MSG2");
  EXPECT_FALSE(fs::exists(store / "inbox.dat"));
  EXPECT_EQ(store.Files("In"), (FolderContents{{"INDEX.DAT", " 2\r\n"}, {"MSG1.HTM", "<p>upper</p>\r\n"},
                                               {"MSG1.TXT", "upper\r\n"}, {"MSG2.txt", "new\r\n"}}));

  // Delete Msg moves both files of record 1 to the Trash.
  installation.Selection.CurrentRecord = 1;
  ASSERT_TRUE(installation.DeleteMsg());
  EXPECT_EQ(store.Files("Trash"), (FolderContents{{"MSG1.htm", "<p>upper</p>\r\n"}, {"MSG1.txt", "upper\r\n"},
                                                  {"index.dat", " 1\r\n"}}));
  EXPECT_EQ(store.Files("In"), (FolderContents{{"INDEX.DAT", " 2\r\n"}, {"MSG2.txt", "new\r\n"}}));

  dialogs.answers.push_back(base::Answer::Yes);
  ASSERT_TRUE(ResetAllBoxes(store.Folder(), dialogs));
  EXPECT_FALSE(fs::exists(store / "INBOX.DAT"));
  EXPECT_EQ(store.Files("In"), (FolderContents{{"INDEX.DAT", " 0\r\n"}}));
}

TEST_F(LetterCaseNamesTest, ABoxFolderInAnotherCaseIsTheBoxFolder) {
  store.AddMessages("Junk", {"spam"});
  fs::rename(store / "Junk", store / "JUNK");

  // Start-up finds the folder and makes no second one with a fresh index.
  installation.LoadStep();
  EXPECT_FALSE(fs::exists(store / "Junk"));
  EXPECT_EQ(ReadBytes(store / "JUNK" / "index.dat"), " 1\r\n");

  EXPECT_EQ(installation.ChooseBox(BoxName::Junk)->caption, "Junk (1 msgs)");
  EXPECT_EQ(installation.OpenMessage(1)->text, "spam\r\n");
  EXPECT_EQ(store.AddMessage("Junk", "more", "more\r\n"), "MSG2");
  EXPECT_EQ(ReadBytes(store / "JUNK" / "MSG2.txt"), "more\r\n");

  KillMessages(store.Folder(), "Junk");
  EXPECT_EQ(store.Files("JUNK"), (FolderContents{{"index.dat", " 0\r\n"}}));
  EXPECT_FALSE(fs::exists(store / "Junk"));
}

TEST_F(LetterCaseNamesTest, ANewNamePassesOverFilesOfThatNameInAnotherCase) {
  WriteBytes(store / "Sent" / "msg1.TXT", "foreign\r\n");
  WriteBytes(store / "Sent" / "Msg2.Htm", "foreign\r\n");
  WriteBytes(store / "Sent" / "MSG03.txt", "another name than MSG3\r\n");
  WriteBytes(store / "Sent" / "MSG4.txt.bak", "another name than MSG4.txt\r\n");
  EXPECT_EQ(NextMessageName(store / "Sent"), "MSG3");
  EXPECT_EQ(store.Index("Sent"), " 3\r\n");
}

}  // namespace
}  // namespace ostrel::store
