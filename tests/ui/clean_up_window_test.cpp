// The clean-up window, opened from the Email menu and from the clean-up
// button. The questions and their texts are the clean-up's, tested beside
// it; here the window's own options pick the rows, and a box emptied closes it.

#include "ui/clean_up_dialog.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

using CleanUpWindowTest = MainWindowTest;

TEST_F(CleanUpWindowTest, SelectAllThenYesMovesEverythingToTheTrashAndCloses) {
  store.AddMessage("In", "First", "one\r\n");
  store.AddMessage("In", "Second", "two\r\n");
  OnNext<ui::CleanUpDialog>([this](auto& cleanUp) {
    ASSERT_EQ(cleanUp.messageList->count(), 2);
    cleanUp.selectAllOption->click();
    dialogs.answers = {base::Answer::Yes};
    cleanUp.deleteButton->click();
    EXPECT_FALSE(cleanUp.isVisible());
  });
  Start();
  window->cleanUpInBoxAction->trigger();
  EXPECT_THAT(store.Subjects("Trash"), ElementsAre("First", "Second"));
  EXPECT_EQ(Caption(), "InBox (0 msgs)");
}

TEST_F(CleanUpWindowTest, TheButtonCleansTheBoxShownAndDeletingSomeRowsKeepsTheWindowOpen) {
  store.AddMessage("Junk", "Keep", "k\r\n");
  store.AddMessage("Junk", "Drop", "d\r\n");
  OnNext<ui::CleanUpDialog>([this](auto& cleanUp) {
    cleanUp.messageList->item(0)->setSelected(true);
    dialogs.answers.push_back(base::Answer::Yes);
    cleanUp.deleteButton->click();
    EXPECT_EQ(cleanUp.messageList->count(), 1);
    EXPECT_TRUE(cleanUp.isVisible());
  });
  Start();
  window->cleanUpButton->click();
  EXPECT_TRUE(desktop.opened.empty()) << "the In box shown is empty";
  window->junkButton->click();
  window->cleanUpButton->click();
  EXPECT_THAT(store.Subjects("Junk"), ElementsAre("Keep"));
}

TEST(CleanUpButtonBeforeAnyBox, DoesNothing) {
  TempFolder folder;
  RecordingDialogs dialogs;
  ScriptedDesktop desktop;
  const auto window = OpenMainWindow(folder.Path().string() + "/", dialogs, desktop);
  window->cleanUpButton->click();
  EXPECT_THAT(desktop.opened, ElementsAre("NoticeDialog"));
}

}  // namespace
}  // namespace ostrel::testing
