// The grid's rows and caption, row by row reading, and opening a message.

#include <gtest/gtest.h>

#include "store/box_view.h"
#include "store/mail_box.h"
#include "store/message_view.h"
#include "store_folder.h"

namespace ostrel::store {
namespace {

using testing::InstalledTest;
using testing::ReadBytes;
using testing::StoreData;
using testing::StoreFolder;
using testing::WriteBytes;

TEST(LoadBoxTest, ShowsTheNewestRecordFirstWithFieldsAsStoredAndFindsARowByItsMessage) {
  StoreFolder store;
  std::filesystem::copy_file(StoreData("inbox-three-records.dat"), store / "inbox.dat");
  const auto view = LoadBoxView(store.Folder(), "In");
  ASSERT_TRUE(view.has_value());
  EXPECT_EQ(view->caption, "InBox (3 msgs)");
  ASSERT_EQ(view->rows.size(), 3u);
  EXPECT_EQ(view->rows[0].RecordText(), " 3");
  EXPECT_EQ(view->rows[2].RecordText(), " 1");
  EXPECT_EQ(view->rows[2].Subject, "First" + std::string(75, ' '));
  EXPECT_EQ(view->rows[0].Date, "1/4/2026 11:45:10 PM          ");
  // The grid finds a message's row by its name.
  EXPECT_EQ(RowOfMessage(*view, "MSG1"), 2u);
  EXPECT_EQ(RowOfMessage(*view, "MSG4"), std::nullopt);
  EXPECT_EQ(RowOfMessage(*view, ""), std::nullopt);
}

TEST(LoadBoxTest, RowReaderGivesTheSameRowsAsTheFullList) {
  StoreFolder store;
  std::filesystem::copy_file(StoreData("inbox-partial-last-record.dat"), store / "inbox.dat");
  const BoxRowReader reader(store.Folder(), "In");
  const auto view = LoadBoxView(store.Folder(), "In");
  ASSERT_EQ(reader.Count(), 2u);
  EXPECT_EQ(reader.Caption(), view->caption);
  EXPECT_EQ(*reader.Row(1), view->rows[0]);
  EXPECT_EQ(*reader.Row(2), view->rows[1]);
  EXPECT_FALSE(reader.Row(0).has_value());
  EXPECT_FALSE(reader.Row(3).has_value());
  EXPECT_THROW(BoxRowReader(store.Folder(), "Out"), std::invalid_argument);
}

TEST(MessageTextTest, LinesEndInCrLfHoweverStored) {
  EXPECT_EQ(PaneText("one\r\ntwo\nthree\rfour"), "one\r\ntwo\r\nthree\r\nfour\r\n");
  EXPECT_EQ(PaneText("caf\xE9\r\n\r\n"), "caf\u00e9\r\n\r\n");
  EXPECT_EQ(JoinedLines("<html>\r\n<body>x</body>\n</html>\r\n"), "<html><body>x</body></html>\r\n");
}

TEST(MessageTextTest, CipherTextEndsAtAnAttachmentLineOrABlankLine) {
  struct Case {
    const char* name;
    std::string text;
    std::optional<std::pair<std::string, std::string>> split;  // hex, rest
  };
  using Split = std::pair<std::string, std::string>;
  const Case cases[] = {
      {"all hex", "0A1B\r\n2C\r\n", Split{"0A1B\r\n2C\r\n", ""}},
      {"empty", "", Split{"", ""}},
      {"attachment after the last digit", "0A1B<ATTACHMENT /a b.txt>\r\n", Split{"0A1B", "<ATTACHMENT /a b.txt>\r\n"}},
      {"attachment on its own line", "0A1B\r\n<ATTACHMENT /a>\r\n<ATTACHMENT /b>\r\n",
       Split{"0A1B", "\r\n<ATTACHMENT /a>\r\n<ATTACHMENT /b>\r\n"}},
      {"signature", "0A1B\r\n2C3D\r\n\r\n\r\nAlice\r\n", Split{"0A1B\r\n2C3D", "\r\n\r\n\r\nAlice\r\n"}},
      {"signature of hex letters", "0A1B\r\n\r\nCAFE\r\nBob\r\n", Split{"0A1B", "\r\n\r\nCAFE\r\nBob\r\n"}},
      {"plain text", "Hello\r\n<ATTACHMENT /a>\r\n", std::nullopt},
      {"hex then words with no blank line", "0A1B\r\nAlice\r\n", std::nullopt},
      {"half a byte before the signature", "0A1\r\n\r\nAlice\r\n", std::nullopt},
      {"blank line first", "\r\n0A1B\r\n\r\nAlice\r\n", std::nullopt},
      {"lower-case hex", "0a1b<ATTACHMENT /a>\r\n", std::nullopt},
      {"a blank inside hex", "ABCD EF\r\n", std::nullopt},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    const auto split = SplitCipherText(test.text);
    EXPECT_EQ(split ? std::optional(Split{split->hex, split->rest}) : std::nullopt, test.split);
  }
}

using OpeningTest = InstalledTest;

TEST_F(OpeningTest, CipherTextEnablesDecrypt) {
  store.AddMessages("In", {"plain"});
  store.AddMessage("In", "cipher", "0A1B2C<ATTACHMENT /home/a/plan.txt>\r\n\r\n");
  const auto opened = installation.OpenMessage(2);
  ASSERT_TRUE(opened.has_value());
  EXPECT_EQ(opened->text, "0A1B2C<ATTACHMENT /home/a/plan.txt>\r\n\r\n");
  EXPECT_TRUE(opened->decryptEnabled);
  EXPECT_FALSE(opened->webPage.has_value());
  EXPECT_EQ(installation.Selection.CurrentMessage, "MSG2");
  EXPECT_EQ(installation.Selection.CurrentRecord, 2);
  EXPECT_FALSE(installation.OpenMessage(1)->decryptEnabled);
  EXPECT_FALSE(std::filesystem::exists(store / "web.html"));
}

TEST_F(OpeningTest, HtmlInAnyCaseWritesTheWebPageWithoutLineBreaks) {
  store.AddMessage("In", "web", "<HtMl>\r\n<body>Hi</body>\r\n</html>\r\n", std::string("<html>ignored</html>\r\n"));
  const auto opened = installation.OpenMessage(1);
  EXPECT_EQ(opened->text, "<HtMl>\r\n<body>Hi</body>\r\n</html>\r\n");
  ASSERT_TRUE(opened->webPage.has_value());
  EXPECT_EQ(ReadBytes(store / "web.html"), "<HtMl><body>Hi</body></html>\r\n");
  EXPECT_FALSE(opened->decryptEnabled);
}

TEST_F(OpeningTest, AMissingFileOrRecordGivesANoticeInsteadOfTheText) {
  store.AddMessages("In", {"gone"});
  std::filesystem::remove(store / "In" / "MSG1.txt");
  const auto opened = installation.OpenMessage(1);
  EXPECT_TRUE(opened->fileMissing);
  EXPECT_EQ(opened->text, "This message cannot be shown: its file \"In/MSG1.txt\" is missing.\r\n");
  EXPECT_FALSE(opened->decryptEnabled);
  EXPECT_EQ(installation.Selection.CurrentMessage, "MSG1");
  const auto pastTheEnd = installation.OpenMessage(5);
  EXPECT_TRUE(pastTheEnd->fileMissing);
  EXPECT_EQ(pastTheEnd->text, "This message is no longer in the box.\r\n");
}

TEST_F(OpeningTest, ANameLeavingTheFolderIsNotFollowed) {
  WriteBytes(store / "secret.txt", "do not show\r\n");
  MailBox(store.Folder(), "In").Append(BoxRecord{"", "x", "y", "", "../secret"});
  const auto outside = installation.OpenMessage(1);
  EXPECT_TRUE(outside->fileMissing);
  EXPECT_EQ(outside->text.find("do not show"), std::string::npos);
}

TEST_F(OpeningTest, WithoutAChosenBoxNothingLoadsAndOnlyShownBoxesCanBeChosen) {
  installation.Selection.CurrentBox.reset();
  EXPECT_FALSE(installation.LoadBox().has_value());
  EXPECT_FALSE(installation.ChooseBox(BoxName::Out).has_value());
  EXPECT_FALSE(installation.Selection.CurrentBox.has_value());
  // A missing list shows as empty, and is made.
  EXPECT_EQ(installation.ChooseBox(BoxName::Junk)->caption, "Junk (0 msgs)");
  EXPECT_TRUE(std::filesystem::exists(store / "junk.dat"));
  store.AddMessages("Sent", {"s"});
  EXPECT_EQ(installation.ChooseBox(BoxName::Sent)->caption, "Sent (1 msgs)");
  EXPECT_EQ(installation.Selection.CurrentBox, BoxName::Sent);
}

TEST_F(OpeningTest, TheHeaderRowOpensNothingAndRightClickFillsTheSelectedCellsTrimmed) {
  std::filesystem::copy_file(StoreData("inbox-three-records.dat"), store / "inbox.dat");
  EXPECT_FALSE(installation.OpenMessage(0).has_value());
  EXPECT_FALSE(installation.SelectRow(0));
  EXPECT_EQ(installation.Selection.CurrentRecord, 0);
  EXPECT_EQ(Installation::RecordNumberOf(" 3"), 3);
  EXPECT_EQ(Installation::RecordNumberOf(""), 0);
  ASSERT_TRUE(installation.SelectRow(2));
  EXPECT_EQ(installation.Selection.SelectedFrom, "bob@example.org");
  EXPECT_EQ(installation.Selection.SelectedSubject, "Second");
  EXPECT_EQ(installation.Selection.SelectedDate, "1/3/2026 10:30:00 AM");
  EXPECT_EQ(installation.Selection.CurrentRecord, 2);
  EXPECT_EQ(installation.Selection.CurrentMessage, "");
}

}  // namespace
}  // namespace ostrel::store
