// Importing a message or an attachment, and resetting every box.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>

#include "store/date_text.h"
#include "store/import_reset.h"
#include "store/installation.h"
#include "store/mail_box.h"
#include "store_folder.h"
#include "support/recording_dialogs.h"

namespace ostrel::store {
namespace {

using testing::ReadBytes;
using testing::RecordingDialogs;
using testing::StoreFolder;
using testing::TempFolder;
using testing::WriteBytes;
using Names = std::vector<std::string>;

TEST(ImportMessageTest, FilesAnExactCopyAsTextAndWebFileUnderTheNextInNumber) {
  StoreFolder store;
  store.AddMessage("In", "one", "1\r\n");
  store.AddMessage("In", "two", "2\r\n");
  TempFolder elsewhere;
  const std::string bytes = "line one\nline two\r\n\x01\xff no final break";
  WriteBytes(elsewhere / "chosen.txt", bytes);

  EXPECT_EQ(ImportMessage(store.Folder(), elsewhere / "chosen.txt", "12/6/2026 10:00:00 AM"), "MSG3");

  EXPECT_EQ(ReadBytes(store / "In" / "MSG3.txt"), bytes);
  EXPECT_EQ(ReadBytes(store / "In" / "MSG3.htm"), bytes);
  EXPECT_EQ(store.Index("In"), " 3\r\n");
  const auto records = store.Records("In");
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[2],
            (BoxRecord{std::string(80, ' '), "Import" + std::string(74, ' '),
                       "Imported Text Message" + std::string(59, ' '), "12/6/2026 10:00:00 AM" + std::string(9, ' '),
                       "MSG3" + std::string(16, ' ')}));
}

TEST(ImportMessageTest, TheDateIsShortDateThenTwelveHourTime) {
  const std::optional<std::string> savedZone =
      std::getenv("TZ") ? std::optional<std::string>(std::getenv("TZ")) : std::nullopt;
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  const auto day = [](unsigned month, unsigned date) {
    return std::chrono::sys_days{std::chrono::year{2026} / std::chrono::month{month} / std::chrono::day{date}};
  };
  using std::chrono::hours, std::chrono::minutes, std::chrono::seconds;
  EXPECT_EQ(GeneralDateText(day(12, 6) + hours{15} + minutes{4} + seconds{5}), "12/6/2026 3:04:05 PM");
  EXPECT_EQ(GeneralDateText(day(1, 9) + minutes{7}), "1/9/2026 12:07:00 AM");
  EXPECT_EQ(GeneralDateText(day(1, 9) + hours{12}), "1/9/2026 12:00:00 PM");
  savedZone ? ::setenv("TZ", savedZone->c_str(), 1) : ::unsetenv("TZ");
  ::tzset();
}

TEST(ImportMessageTest, TheInBoxIsReloadedOnlyWhenShownAndAnUnreadableFileChangesNothing) {
  StoreFolder store;
  RecordingDialogs dialogs;
  Installation installation(store.Folder(), dialogs);
  WriteBytes(store / "message.txt", "hello\r\n");
  installation.Selection.CurrentBox = BoxName::Sent;
  EXPECT_FALSE(installation.ImportMessage(store / "message.txt").has_value());
  EXPECT_EQ(installation.Selection.CurrentBox, BoxName::Sent);
  installation.Selection.CurrentBox = BoxName::In;
  const auto view = installation.ImportMessage(store / "message.txt");
  ASSERT_TRUE(view.has_value());
  EXPECT_EQ(view->caption, "InBox (2 msgs)");
  EXPECT_EQ(installation.Selection.CurrentMessage, "MSG2");
  EXPECT_TRUE(dialogs.shown.empty());

  EXPECT_FALSE(installation.ImportMessage(store / "no-such-file.txt").has_value());
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_NE(dialogs.shown[0].text.find("no-such-file.txt"), std::string::npos);
  EXPECT_EQ(store.Index("In"), " 2\r\n");
  EXPECT_EQ(store.Subjects("In").size(), 2u);
}

TEST(ImportAttachmentTest, CopiesTheFileIntoSaveReplacingOneOfTheSameName) {
  StoreFolder store;
  TempFolder elsewhere;
  WriteBytes(elsewhere / "report.doc.enc", "new bytes");
  WriteBytes(store / "Save" / "report.doc.enc", "old bytes, longer than the new ones");
  const auto saved = ImportAttachment(store.Folder(), elsewhere / "report.doc.enc");
  EXPECT_EQ(saved, store / "Save" / "report.doc.enc");
  EXPECT_EQ(ReadBytes(saved), "new bytes");
  EXPECT_THROW(ImportAttachment(store.Folder(), elsewhere / "missing.bin"), ImportError);
}

// "keep.pdf.new" was once the name under which "keep.pdf" was written: an
// import of "keep.pdf" then truncated the earlier attachment and renamed it.
TEST(ImportAttachmentTest, AnAttachmentNamedLikeAnotherOnesTemporaryFileStays) {
  StoreFolder store;
  TempFolder first;
  TempFolder second;
  WriteBytes(first / "keep.pdf.new", "FIRST");
  WriteBytes(second / "keep.pdf", "SECOND");
  ImportAttachment(store.Folder(), first / "keep.pdf.new");
  ImportAttachment(store.Folder(), second / "keep.pdf");
  EXPECT_EQ(ReadBytes(store / "Save" / "keep.pdf.new"), "FIRST");
  EXPECT_EQ(ReadBytes(store / "Save" / "keep.pdf"), "SECOND");

  // A name of the temporary files' own form is refused: the next start would
  // take it for a killed run's leftover.
  const std::string temporaryForm = ".ostrel-999999999-abcdef";
  WriteBytes(first / temporaryForm, "x");
  EXPECT_THROW(ImportAttachment(store.Folder(), first / temporaryForm), ImportError);
  EXPECT_FALSE(std::filesystem::exists(store / "Save" / temporaryForm));
}

TEST(ResetTest, NoLeavesEveryFileAndYesEmptiesEveryBoxAndFolderButTouchesNothingElse) {
  StoreFolder store;
  store.AddMessage("In", "a", "a\r\n", std::string("w"));
  store.AddMessage("Sent", "b", "b\r\n");
  store.AddMessage("Trash", "c", "c\r\n");
  store.AddMessage("Junk", "d", "d\r\n");
  MailBox(store.Folder(), "Out").Append(BoxRecord{"x", "y", "z", "", ""});
  for (const char* folder : {"Save", "Dec", "Enc"}) WriteBytes(store / folder / "file.bin", "x");
  for (const char* kept : {"email.opt", "key.dat", "address.dat", "k1.bin"}) WriteBytes(store / kept, "kept");

  RecordingDialogs dialogs;
  dialogs.answers = {base::Answer::No, base::Answer::Yes};
  EXPECT_FALSE(ResetAllBoxes(store.Folder(), dialogs));
  EXPECT_EQ(dialogs.asked[0],
            (base::MessageBox{"This will delete all of the data in your mail boxes.  Are you sure you want to do this?",
                              "Are Really, Really Sure?", base::Buttons::YesNo, base::Icon::None}));
  EXPECT_EQ(store.Subjects("In"), (Names{"a"}));
  EXPECT_EQ(ReadBytes(store / "In" / "MSG1.txt"), "a\r\n");
  EXPECT_TRUE(dialogs.shown.empty());

  Installation installation(store.Folder(), dialogs);
  installation.Selection.CurrentBox = BoxName::Sent;
  const auto view = installation.ResetAllBoxes();

  ASSERT_TRUE(view.has_value());
  EXPECT_EQ(view->caption, "Sent (0 msgs)");
  EXPECT_EQ(dialogs.ShownTexts(), (Names{"Boxes have been reset."}));
  for (const char* list : {"inbox.dat", "out.dat", "junk.dat", "trash.dat"}) {
    EXPECT_FALSE(std::filesystem::exists(store / list)) << list;
  }
  for (const char* box : {"In", "Out", "Trash", "Junk", "Sent"}) {
    EXPECT_EQ(store.Index(box), " 0\r\n") << box;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(store / box), {}), 1) << box;
  }
  for (const char* folder : {"Save", "Dec", "Enc"}) EXPECT_TRUE(std::filesystem::is_empty(store / folder));
  for (const char* kept : {"email.opt", "key.dat", "address.dat", "k1.bin"}) EXPECT_EQ(ReadBytes(store / kept), "kept");
  EXPECT_EQ(store.AddMessage("Junk", "first again", "x\r\n"), "MSG1");
}

}  // namespace
}  // namespace ostrel::store
