// Start-up, the first-run notice and the end of the program.

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

TEST_F(FirstStartTest, TheNoticeShowsOnceARunUntilTickedAndTheFirstSaveOfTheOptionsShowsTheInBox) {
  Start();
  EXPECT_THAT(dialogs.ShownTexts(),
              ElementsAre("Setup has not been performed.  Click File/Options and define your parameters."));
  EXPECT_FALSE(window->boxGrid->isVisible());
  window->Activate();
  EXPECT_EQ(desktop.opened.size(), 1u) << "later activations never show the notice again";
  window.reset();
  EXPECT_EQ(ReadBytes(folder / "opt.dne"), "") << "closed unticked, it comes back";

  OnNext<ui::NoticeDialog>([](auto& notice) {
    notice.dontShowAgainCheck->setChecked(true);
    notice.close();
  });
  Start();
  EXPECT_THAT(desktop.opened, ElementsAre("NoticeDialog", "NoticeDialog"));
  EXPECT_EQ(ReadBytes(folder / "opt.dne"), "Done\r\n");

  Open<ui::OptionsDialog>(window->optionsAction, [](auto& options) {
    options.popServerList->setEditText("pop.example.org");
    options.saveButton->click();
  });
  EXPECT_TRUE(window->boxGrid->isVisible());
  EXPECT_EQ(window->boxFrame->title(), "InBox (0 msgs)");
}

TEST_F(MainWindowTest, AStartWithSettingsShowsTheDefaultKeyAndAnotherKeyCanBeChosen) {
  WriteDefaultKey(store.Folder());
  Start();
  EXPECT_TRUE(desktop.opened.empty());
  ASSERT_EQ(window->keyList->count(), 2);
  EXPECT_EQ(window->keyList->currentText(), "Alice");

  window->statusLabel->clear();
  ASSERT_TRUE(PickFromList(*window->keyList, "Other"));
  EXPECT_EQ(ReadBytes(store / "key.key"), "other key\r\n");
  EXPECT_EQ(window->statusLabel->text(), "Key is now loaded.");
}

// What the end of the program removes is the store's, tested beside it.
TEST_F(MainWindowTest, ExitFromTheMenuEmptiesTheTrashWhenAskedAndWipesTheKeyspace) {
  WriteSettings(store.Folder(), true);
  WriteDefaultKey(store.Folder());
  store.AddMessage("Trash", "Old", "old text\r\n");
  Start();
  ASSERT_TRUE(std::filesystem::exists(store / "k1.bin"));
  window->exitAction->trigger();
  EXPECT_EQ(ReadBytes(store / "trash.dat"), "");
  EXPECT_FALSE(std::filesystem::exists(store / "k1.bin"));
}

}  // namespace
}  // namespace ostrel::testing
