// Importing a message or an attachment, and resetting every box.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>

#include "store/date_text.h"
#include "store/import_reset.h"
#include "store/mail_box.h"
#include "store_folder.h"

namespace ostrel::store {
namespace {

using testing::FolderContents;
using testing::Names;
using testing::TempFolder;
using testing::WriteBytes;

class ImportTest : public testing::InstalledTest {
 protected:
  TempFolder elsewhere;
};

TEST_F(ImportTest, AMessageIsFiledAsAnExactCopyInTextAndWebFileUnderTheNextInNumber) {
  store.AddMessages("In", {"one", "two"});
  const std::string bytes = "line one\nline two\r\n\x01\xff no final break";
  WriteBytes(elsewhere / "chosen.txt", bytes);

  EXPECT_EQ(ImportMessage(store.Folder(), elsewhere / "chosen.txt", "12/6/2026 10:00:00 AM"), "MSG3");

  EXPECT_EQ(store.Files("In"), (FolderContents{{"MSG1.txt", "one\r\n"}, {"MSG2.txt", "two\r\n"}, {"MSG3.txt", bytes},
                                               {"MSG3.htm", bytes}, {"index.dat", " 3\r\n"}}));
  const auto records = store.Records("In");
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[2],
            (BoxRecord{std::string(80, ' '), "Import" + std::string(74, ' '),
                       "Imported Text Message" + std::string(59, ' '), "12/6/2026 10:00:00 AM" + std::string(9, ' '),
                       "MSG3" + std::string(16, ' ')}));
}

TEST(ImportDateTest, TheDateIsShortDateThenTwelveHourTime) {
  const char* zone = std::getenv("TZ");
  const std::optional<std::string> savedZone = zone ? std::optional<std::string>(zone) : std::nullopt;
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

TEST_F(ImportTest, AnUnreadableMessageIsNamedAndChangesNothing) {
  const FolderContents before = store.Files("");
  EXPECT_FALSE(installation.ImportMessage(elsewhere / "none.txt").has_value());
  EXPECT_EQ(dialogs.ShownTexts(), (Names{"The file \"" + (elsewhere / "none.txt").string() + "\" cannot be read."}));
  EXPECT_EQ(store.Files(""), before);
}

// A name of the temporary files' own form is refused: the next start would
// take it for a killed run's leftover.
TEST_F(ImportTest, AnAttachmentIsCopiedIntoSaveReplacingOneOfTheSameName) {
  WriteBytes(elsewhere / "report.doc.enc", "new bytes");
  WriteBytes(store / "Save" / "report.doc.enc", "old bytes, longer than the new ones");
  WriteBytes(elsewhere / ".ostrel-999999999-abcdef", "x");
  EXPECT_EQ(ImportAttachment(store.Folder(), elsewhere / "report.doc.enc"), store / "Save" / "report.doc.enc");
  EXPECT_THROW(ImportAttachment(store.Folder(), elsewhere / ".ostrel-999999999-abcdef"), ImportError);
  EXPECT_EQ(store.Files("Save"), (FolderContents{{"report.doc.enc", "new bytes"}}));
  EXPECT_FALSE(installation.ImportAttachment(elsewhere / "missing.bin"));
  EXPECT_EQ(dialogs.ShownTexts(), (Names{"The file \"" + (elsewhere / "missing.bin").string() +
                                         "\" could not be copied into the Save folder."}));
}

class ResetTest : public testing::InstalledTest {
 protected:
  ResetTest() {
    store.AddMessages("In", {"a"}, true);
    for (const char* box : {"Sent", "Trash", "Junk"}) store.AddMessages(box, {box});
    MailBox(store.Folder(), "Out").Append(BoxRecord{"x", "y", "z", "", ""});
    for (const char* folder : {"Save", "Dec", "Enc"}) WriteBytes(store / folder / "file.bin", "x");
    for (const char* kept : {"email.opt", "key.dat", "address.dat", "k1.bin"}) WriteBytes(store / kept, "kept");
  }
};

TEST_F(ResetTest, NoLeavesEveryFileAndYesEmptiesEveryBoxAndFolderButTouchesNothingElse) {
  const FolderContents before = store.Files("");
  installation.Selection.CurrentBox = BoxName::Sent;
  dialogs.answers = {base::Answer::No, base::Answer::Yes};
  EXPECT_FALSE(installation.ResetAllBoxes().has_value());
  EXPECT_EQ(dialogs.asked,
            (std::vector<base::MessageBox>{
                {"This will delete all of the data in your mail boxes.  Are you sure you want to do this?",
                 "Are Really, Really Sure?", base::Buttons::YesNo, base::Icon::None}}));
  EXPECT_EQ(store.Files(""), before);

  EXPECT_EQ(installation.ResetAllBoxes()->caption, "Sent (0 msgs)");
  EXPECT_EQ(dialogs.ShownTexts(), (Names{"Boxes have been reset."}));
  FolderContents after;
  for (const char* folder : {"Save/", "Dec/", "Enc/", "In/", "Out/", "Trash/", "Junk/", "Sent/"}) after[folder] = "";
  for (const char* box : {"In/", "Out/", "Trash/", "Junk/", "Sent/"}) after[box + std::string("index.dat")] = " 0\r\n";
  for (const char* kept : {"email.opt", "key.dat", "address.dat", "k1.bin"}) after[kept] = "kept";
  after["sent.dat"] = "";
  EXPECT_EQ(store.Files(""), after);
}

}  // namespace
}  // namespace ostrel::store
