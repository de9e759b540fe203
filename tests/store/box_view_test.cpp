// Opening a message: its pane text, its cipher text, and what cannot be shown.

#include <gtest/gtest.h>

#include "store/mail_box.h"
#include "store/message_view.h"
#include "store_folder.h"

namespace ostrel::store {
namespace {

using testing::InstalledTest;
using testing::StoreData;
using testing::WriteBytes;

TEST(MessageTextTest, LinesEndInCrLfHoweverStored) {
  EXPECT_EQ(PaneText("one\r\ntwo\nthree\rfour"), "one\r\ntwo\r\nthree\r\nfour\r\n");
  EXPECT_EQ(PaneText("caf\xE9\r\n\r\n"), "caf\u00e9\r\n\r\n");
}

TEST(MessageTextTest, CipherTextEndsAtAnAttachmentLineOrABlankLine) {
  struct Case {
    const char* name;
    std::string text;
    std::optional<std::pair<std::string, std::string>> split;  // hex, rest
  };
  using Split = std::pair<std::string, std::string>;
  const Case cases[] = {
      {"empty", "", Split{"", ""}},
      {"attachment on its own line", "0A1B\r\n<ATTACHMENT /a>\r\n<ATTACHMENT /b>\r\n",
       Split{"0A1B", "\r\n<ATTACHMENT /a>\r\n<ATTACHMENT /b>\r\n"}},
      {"signature of hex letters", "0A1B\r\n\r\nCAFE\r\nBob\r\n", Split{"0A1B", "\r\n\r\nCAFE\r\nBob\r\n"}},
      {"plain text", "Hello\r\n<ATTACHMENT /a>\r\n", std::nullopt},
      {"hex then words with no blank line", "0A1B\r\nAlice\r\n", std::nullopt},
      {"half a byte before the signature", "0A1\r\n\r\nAlice\r\n", std::nullopt},
      {"blank line first", "\r\n0A1B\r\n\r\nAlice\r\n", std::nullopt},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    const auto split = SplitCipherText(test.text);
    EXPECT_EQ(split ? std::optional(Split{split->hex, split->rest}) : std::nullopt, test.split);
  }
}

using OpeningTest = InstalledTest;

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

TEST_F(OpeningTest, WithoutAChosenBoxNothingLoadsAndTheOutBoxCannotBeChosen) {
  installation.Selection.CurrentBox.reset();
  EXPECT_FALSE(installation.LoadBox().has_value());
  EXPECT_FALSE(installation.ChooseBox(BoxName::Out).has_value());
  EXPECT_FALSE(installation.Selection.CurrentBox.has_value());
}

TEST_F(OpeningTest, TheHeaderRowOpensAndSelectsNothing) {
  std::filesystem::copy_file(StoreData("inbox-three-records.dat"), store / "inbox.dat");
  EXPECT_FALSE(installation.OpenMessage(0).has_value());
  EXPECT_FALSE(installation.SelectRow(0));
  EXPECT_EQ(installation.Selection.CurrentRecord, 0);
}

}  // namespace
}  // namespace ostrel::store
