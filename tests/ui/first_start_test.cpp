// Start-up, the first-run notice, the about box and the end of the program.

#include "store/mail_box.h"
#include "ui/notice_dialog.h"
#include "ui/options_dialog.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

// The main window over a folder that holds nothing yet.
class FirstStartTest : public MainWindowTest {
 protected:
  void SetUp() override {}
  void Start() { window = OpenMainWindow(folder.Path().string() + "/", dialogs, desktop); }

  TempFolder folder;
};

TEST_F(FirstStartTest, EmptyFolderShowsSetupMessageThenNoticeAndKeepsTheGridHidden) {
  Start();
  EXPECT_THAT(dialogs.ShownTexts(),
              ElementsAre("Setup has not been performed.  Click File/Options and define your parameters."));
  EXPECT_THAT(desktop.opened, ElementsAre("NoticeDialog"));
  EXPECT_THAT(desktop.titles, ElementsAre("Important Notice"));
  EXPECT_FALSE(window->boxGrid->isVisible());
  EXPECT_EQ(window->keyList->count(), 0);
  EXPECT_EQ(window->windowTitle(), "Ostrel Encryption Email 6.0");

  // Later activations never show the notice again, and setup stays missing;
  // choosing a box shows the grid all the same.
  window->Activate();
  EXPECT_EQ(desktop.opened.size(), 1u);
  EXPECT_FALSE(window->boxGrid->isVisible());
  window->sentAction->trigger();
  EXPECT_TRUE(window->boxGrid->isVisible());
  EXPECT_EQ(window->boxFrame->title(), "Sent (0 msgs)");
}

TEST_F(FirstStartTest, TheFirstSaveOfTheOptionsShowsTheInBox) {
  Start();
  ASSERT_FALSE(window->boxGrid->isVisible());
  Open<ui::OptionsDialog>(window->optionsAction, [](auto& options) {
    options.popServerList->setEditText("pop.example.org");
    options.saveButton->click();
  });
  EXPECT_TRUE(window->boxGrid->isVisible());
  EXPECT_EQ(window->boxFrame->title(), "InBox (0 msgs)");
  EXPECT_EQ(window->Program().Selection.CurrentBox, store::BoxName::In);
  // From now on each activation shows the box again, as after a start with
  // settings: here mail filed meanwhile by the command line.
  store::MailBox(folder.Path(), "In").File({"", "bob@example.org", "Hi", "1/2/2026 9:00:00 AM", ""}, "hi\r\n", {});
  window->aboutAction->trigger();
  EXPECT_EQ(window->boxFrame->title(), "InBox (1 msgs)");
}

TEST_F(FirstStartTest, TheNoticeClosedUntickedComesBackAndTickedWritesTheMarker) {
  Start();
  window.reset();
  EXPECT_EQ(ReadBytes(folder / "opt.dne"), "");
  OnNext<ui::NoticeDialog>([](auto& notice) {
    EXPECT_EQ(notice.dontShowAgainCheck->text(), "Do not show this again");
    notice.dontShowAgainCheck->setChecked(true);
    notice.close();
  });
  Start();
  EXPECT_THAT(desktop.opened, ElementsAre("NoticeDialog", "NoticeDialog"));
  EXPECT_EQ(ReadBytes(folder / "opt.dne"), "Done\r\n");
}

TEST_F(MainWindowTest, AStartWithSettingsLoadsTheDefaultKeyAndShowsTheInBox) {
  WriteDefaultKey(store.Folder());
  Start();
  EXPECT_TRUE(desktop.opened.empty());
  EXPECT_THAT(dialogs.statuses, ElementsAre("", "Generating Keyspace...", "Key is now loaded."));
  ASSERT_EQ(window->keyList->count(), 2);
  EXPECT_EQ(window->keyList->currentText(), "Alice");
  EXPECT_TRUE(window->boxGrid->isVisible());
  EXPECT_EQ(Caption(), "InBox (0 msgs)");
}

TEST_F(MainWindowTest, ChoosingAnotherKeyInTheListLoadsAndRemembersIt) {
  WriteDefaultKey(store.Folder());
  Start();
  window->statusLabel->clear();
  ASSERT_TRUE(PickFromList(*window->keyList, "Other"));
  EXPECT_EQ(ReadBytes(store / "key.key"), "other key\r\n");
  EXPECT_EQ(window->statusLabel->text(), "Key is now loaded.");
}

TEST_F(MainWindowTest, ExitFromTheMenuEmptiesTheTrashWhenAskedAndRemembersTheWindow) {
  WriteSettings(store.Folder(), true);
  WriteDefaultKey(store.Folder());
  store.AddMessage("Trash", "Old", "old text\r\n");
  Start();
  ASSERT_TRUE(std::filesystem::exists(store / "k1.bin"));
  window->exitAction->trigger();
  EXPECT_EQ(ReadBytes(store / "trash.dat"), "");
  EXPECT_FALSE(std::filesystem::exists(store / "k1.bin"));
  EXPECT_TRUE(std::filesystem::exists(store / "window.ini"));
}

TEST_F(MainWindowTest, AboutBoxAndLaterWindowsOpenModally) {
  Start();
  desktop.onModal.push_back([](QDialog& about) {
    EXPECT_EQ(about.windowTitle(), "About Ostrel Encryption Email 6.0");
    about.findChild<QPushButton*>("doneButton")->click();
    EXPECT_FALSE(about.isVisible());
  });
  window->aboutAction->trigger();
  window->newMessageAction->trigger();
  window->keyManagementButton->click();
  EXPECT_THAT(desktop.opened, ElementsAre("AboutDialog", "ComposeWindow", "KeyManagementDialog"));
}

TEST_F(MainWindowTest, WindowSizeAndPositionAreRememberedInTheProgramFolder) {
  Start();
  window->resize(700, 500);
  window->close();
  window = std::make_unique<ui::MainWindow>(store.Folder(), dialogs, desktop);
  EXPECT_EQ(window->size(), QSize(700, 500));
}

}  // namespace
}  // namespace ostrel::testing
