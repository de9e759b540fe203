// File/Import and File/Reset All Boxes, driven through the menu.
#include <gmock/gmock.h>

#include <QAction>
#include <QGroupBox>
#include <QToolButton>

#include "ui_folder.h"

namespace ostrel::testing {
namespace {

using ::testing::ElementsAre;

class ImportResetWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    WriteSettings(store.Folder());
    WriteBytes(store / "opt.dne", "Done\r\n");
  }
  TempFolder outside;
};

TEST_F(ImportResetWindowTest, ImportedMessageJoinsTheInBoxShown) {
  store.AddMessage("In", "One", "1\r\n");
  store.AddMessage("In", "Two", "2\r\n");
  WriteBytes(outside / "letter.txt", "ABCDEF\r\n");
  desktop.chosenFiles.push_back(outside / "letter.txt");
  Start();
  window->fleimmsg->trigger();
  EXPECT_THAT(desktop.fileDialogTitles, ElementsAre("Select Text Message to Import"));
  EXPECT_EQ(ReadBytes(store / "In" / "MSG3.txt"), "ABCDEF\r\n");
  EXPECT_EQ(ReadBytes(store / "In" / "MSG3.htm"), "ABCDEF\r\n");
  EXPECT_EQ(store.Index("In"), " 3\r\n");
  EXPECT_EQ(Caption(), "InBox (3 msgs)");
  EXPECT_EQ(store.Records("In").back().From.substr(0, 6), "Import");
}

TEST_F(ImportResetWindowTest, ImportWhileSentIsShownLeavesTheGridOnSent) {
  WriteBytes(outside / "letter.txt", "text\r\n");
  desktop.chosenFiles.push_back(outside / "letter.txt");
  Start();
  window->emout->trigger();
  window->fleimmsg->trigger();
  EXPECT_EQ(Caption(), "Sent (0 msgs)");
  EXPECT_EQ(store.Subjects("In"), std::vector<std::string>{"Imported Text Message"});
}

TEST_F(ImportResetWindowTest, CancellingTheFileDialogChangesNothing) {
  Start();
  window->fleimmsg->trigger();
  window->fleimpat->trigger();
  EXPECT_THAT(desktop.fileDialogTitles, ElementsAre("Select Text Message to Import", "Select Attachment to Import"));
  EXPECT_TRUE(store.Subjects("In").empty());
  EXPECT_EQ(store.Index("In"), " 0\r\n");
}

TEST_F(ImportResetWindowTest, ImportedEncAttachmentIsDecipheredIntoDec) {
  WriteDefaultKey(store.Folder());
  WriteBytes(outside / "report.doc", "The quarterly report.\r\n");
  EncipherFile(outside / "report.doc", outside / "report.doc.enc");
  desktop.chosenFiles.push_back(outside / "report.doc.enc");
  Start();
  window->fleimpat->trigger();
  EXPECT_EQ(ReadBytes(store / "Dec" / "report.doc"), "The quarterly report.\r\n");
  EXPECT_FALSE(std::filesystem::exists(store / "Save" / "report.doc.enc"));
  EXPECT_EQ(window->Program().DecryptedCount, 1);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ImportResetWindowTest, EncAttachmentWithoutAKeyStaysReceivedAndIsReported) {
  WriteBytes(outside / "report.doc", "report\r\n");
  EncipherFile(outside / "report.doc", outside / "report.doc.enc");
  desktop.chosenFiles.push_back(outside / "report.doc.enc");
  Start();
  window->fleimpat->trigger();
  EXPECT_TRUE(std::filesystem::exists(store / "Save" / "report.doc.enc"));
  EXPECT_FALSE(std::filesystem::exists(store / "Dec" / "report.doc"));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_NE(dialogs.shown[0].text.find("report.doc.enc"), std::string::npos);
}

TEST_F(ImportResetWindowTest, PlainAttachmentStaysInSave) {
  WriteBytes(outside / "photo.jpg", "jpeg bytes");
  desktop.chosenFiles.push_back(outside / "photo.jpg");
  Start();
  window->fleimpat->trigger();
  EXPECT_EQ(ReadBytes(store / "Save" / "photo.jpg"), "jpeg bytes");
}

TEST_F(ImportResetWindowTest, ResetAnsweredNoLeavesEveryFile) {
  store.AddMessage("In", "Keep", "k\r\n");
  dialogs.answers.push_back(base::Answer::No);
  Start();
  window->flerest->trigger();
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].text,
            "This will delete all of the data in your mail boxes.  Are you sure you want to do this?");
  EXPECT_EQ(dialogs.asked[0].title, "Are Really, Really Sure?");
  EXPECT_EQ(store.Subjects("In"), std::vector<std::string>{"Keep"});
  EXPECT_EQ(Caption(), "InBox (1 msgs)");
}

TEST_F(ImportResetWindowTest, ResetAnsweredYesEmptiesEveryBox) {
  store.AddMessage("In", "Gone", "g\r\n");
  store.AddMessage("Sent", "Gone too", "g\r\n");
  WriteBytes(store / "Save" / "photo.jpg", "x");
  dialogs.answers.push_back(base::Answer::Yes);
  Start();
  window->flerest->trigger();
  EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("Boxes have been reset."));
  EXPECT_EQ(Caption(), "InBox (0 msgs)");
  EXPECT_EQ(store.Index("In"), " 0\r\n");
  EXPECT_FALSE(std::filesystem::exists(store / "Save" / "photo.jpg"));
  EXPECT_TRUE(std::filesystem::exists(store / "email.opt"));
}

}  // namespace
}  // namespace ostrel::testing
