// The clean-up window, opened from the Email menu and from the clean-up button.

#include "ui/frm_clean_up.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

using CleanUpWindowTest = MainWindowTest;

TEST_F(CleanUpWindowTest, NothingSelectedThenNoThenYesMovesEverythingToTheTrash) {
  store.AddMessage("In", "First", "one\r\n");
  store.AddMessage("In", "Second", "two\r\n");
  OnNext<ui::frmCleanUp>([this](auto& cleanUp) {
    EXPECT_EQ(cleanUp.windowTitle(), "Clean Up In Box");
    ASSERT_EQ(cleanUp.List1->count(), 2);
    EXPECT_TRUE(cleanUp.List1->item(0)->text().startsWith("sender@example.org"));
    cleanUp.Command1->click();
    EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("No Messages were selected."));

    cleanUp.Option1->click();
    EXPECT_EQ(cleanUp.List1->selectedItems().size(), 2);
    dialogs.answers.push_back(base::Answer::No);
    cleanUp.Command1->click();
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text, "Are you sure you want to delete the Messages selected?");
    EXPECT_EQ(dialogs.asked[0].title, "Delete Confirm");

    cleanUp.Option2->click();
    EXPECT_TRUE(cleanUp.List1->selectedItems().isEmpty());
    cleanUp.Option1->click();
    dialogs.answers.push_back(base::Answer::Yes);
    cleanUp.Command1->click();
    EXPECT_FALSE(cleanUp.isVisible());
  });
  Start();
  window->emcin->trigger();
  EXPECT_THAT(desktop.opened, ElementsAre("frmCleanUp"));
  EXPECT_TRUE(store.Subjects("In").empty());
  EXPECT_THAT(store.Subjects("Trash"), ElementsAre("First", "Second"));
  EXPECT_EQ(Caption(), "InBox (0 msgs)");
}

TEST_F(CleanUpWindowTest, DeletingSomeRowsRebuildsTheListAndKeepsTheWindowOpen) {
  store.AddMessage("Trash", "Keep", "k\r\n");
  store.AddMessage("Trash", "Drop", "d\r\n");
  OnNext<ui::frmCleanUp>([this](auto& cleanUp) {
    cleanUp.List1->item(0)->setSelected(true);
    dialogs.answers.push_back(base::Answer::Yes);
    cleanUp.Command1->click();
    EXPECT_EQ(cleanUp.List1->count(), 1);
    EXPECT_TRUE(cleanUp.isVisible());
  });
  Start();
  window->emcd->trigger();
  EXPECT_THAT(store.Subjects("Trash"), ElementsAre("Keep"));
}

TEST_F(CleanUpWindowTest, CleanUpButtonCleansTheBoxShownAndAnEmptyBoxOpensNoWindow) {
  store.AddMessage("Junk", "Spam", "s\r\n");
  Start();
  window->Image9->click();
  EXPECT_TRUE(desktop.opened.empty());
  window->Image7->click();
  window->Image9->click();
  EXPECT_THAT(desktop.titles, ElementsAre("Clean Up Junk Box"));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST(CleanUpButtonBeforeAnyBox, DoesNothing) {
  TempFolder folder;
  RecordingDialogs dialogs;
  ScriptedDesktop desktop;
  ui::frmMain window(folder.Path().string() + "/", dialogs, desktop);
  window.Load();
  window.Activate();
  window.Image9->click();
  EXPECT_THAT(desktop.opened, ElementsAre("frmNotice"));
}

}  // namespace
}  // namespace ostrel::testing
