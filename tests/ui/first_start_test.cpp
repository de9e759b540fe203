// Start-up, the first-run notice, the about box and the end of the program.

#include "store/mail_box.h"
#include "ui/frm_notice.h"
#include "ui/frm_options.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

// The main window over a folder that holds nothing yet.
class FirstStartTest : public MainWindowTest {
 protected:
  void SetUp() override {}
  void Start() {
    window = std::make_unique<ui::frmMain>(folder.Path().string() + "/", dialogs, desktop);
    window->Load();
    window->show();
    window->Activate();
  }

  TempFolder folder;
};

TEST_F(FirstStartTest, EmptyFolderShowsSetupMessageThenNoticeAndKeepsTheGridHidden) {
  Start();
  EXPECT_THAT(dialogs.ShownTexts(),
              ElementsAre("Setup has not been performed.  Click File/Options and define your parameters."));
  EXPECT_THAT(desktop.opened, ElementsAre("frmNotice"));
  EXPECT_THAT(desktop.titles, ElementsAre("Important Notice"));
  EXPECT_FALSE(window->flex->isVisible());
  EXPECT_EQ(window->Combo1->count(), 0);
  EXPECT_EQ(window->windowTitle(), "Ostrel Encryption Email 6.0");

  // Later activations never show the notice again, and setup stays missing;
  // choosing a box shows the grid all the same.
  window->Activate();
  EXPECT_EQ(desktop.opened.size(), 1u);
  EXPECT_FALSE(window->flex->isVisible());
  window->emout->trigger();
  EXPECT_TRUE(window->flex->isVisible());
  EXPECT_EQ(window->Frame2->title(), "Sent (0 msgs)");
}

TEST_F(FirstStartTest, TheFirstSaveOfTheOptionsShowsTheInBox) {
  Start();
  ASSERT_FALSE(window->flex->isVisible());
  Open<ui::frmOptions>(window->fleopt, [](auto& options) {
    options.Combo1->setEditText("pop.example.org");
    options.Command4->click();
  });
  EXPECT_TRUE(window->flex->isVisible());
  EXPECT_EQ(window->Frame2->title(), "InBox (0 msgs)");
  EXPECT_EQ(window->Program().CurrentBox, "In");
  // From now on each activation shows the box again, as after a start with
  // settings: here mail filed meanwhile by the command line.
  store::MailBox(folder.Path(), "In").File({"", "bob@example.org", "Hi", "1/2/2026 9:00:00 AM", ""}, "hi\r\n", {});
  window->hlpabout->trigger();
  EXPECT_EQ(window->Frame2->title(), "InBox (1 msgs)");
}

TEST_F(FirstStartTest, TheNoticeClosedUntickedComesBackAndTickedWritesTheMarker) {
  Start();
  window.reset();
  EXPECT_EQ(ReadBytes(folder / "opt.dne"), "");
  OnNext<ui::frmNotice>([](auto& notice) {
    EXPECT_EQ(notice.Check1->text(), "Do not show this again");
    notice.Check1->setChecked(true);
    notice.close();
  });
  Start();
  EXPECT_THAT(desktop.opened, ElementsAre("frmNotice", "frmNotice"));
  EXPECT_EQ(ReadBytes(folder / "opt.dne"), "Done\r\n");
}

TEST_F(MainWindowTest, DefaultKeyIsLoadedAtStartAndChoosingAnotherInTheListLoadsAndRemembersIt) {
  WriteDefaultKey(store.Folder());
  Start();
  EXPECT_TRUE(desktop.opened.empty());
  EXPECT_THAT(dialogs.statuses, ElementsAre("", "Generating Keyspace...", "Key is now loaded."));
  ASSERT_EQ(window->Combo1->count(), 2);
  EXPECT_EQ(window->Combo1->currentText(), "Alice");
  EXPECT_TRUE(window->flex->isVisible());
  EXPECT_EQ(Caption(), "InBox (0 msgs)");

  window->lbStat->clear();
  window->Combo1->setCurrentIndex(window->Combo1->findText("Other"));
  emit window->Combo1->activated(window->Combo1->currentIndex());
  EXPECT_EQ(ReadBytes(store / "key.key"), "other key\r\n");
  EXPECT_EQ(window->lbStat->text(), "Key is now loaded.");
}

TEST_F(MainWindowTest, ExitFromTheMenuEmptiesTheTrashWhenAskedAndRemembersTheWindow) {
  WriteSettings(store.Folder(), true);
  WriteDefaultKey(store.Folder());
  store.AddMessage("Trash", "Old", "old text\r\n");
  Start();
  ASSERT_TRUE(std::filesystem::exists(store / "k1.bin"));
  window->fleext->trigger();
  EXPECT_EQ(ReadBytes(store / "trash.dat"), "");
  EXPECT_FALSE(std::filesystem::exists(store / "k1.bin"));
  EXPECT_TRUE(std::filesystem::exists(store / "window.ini"));
}

TEST_F(MainWindowTest, AboutBoxAndLaterWindowsOpenModally) {
  Start();
  desktop.onModal.push_back([](QDialog& about) {
    EXPECT_EQ(about.windowTitle(), "About Ostrel Encryption Email 6.0");
    about.findChild<QPushButton*>("Command1")->click();
    EXPECT_FALSE(about.isVisible());
  });
  window->hlpabout->trigger();
  window->emnew->trigger();
  window->Image3->click();
  EXPECT_THAT(desktop.opened, ElementsAre("frmAbout", "frmNewMsg", "frmKeyManagement"));
}

TEST_F(MainWindowTest, WindowSizeAndPositionAreRememberedInTheProgramFolder) {
  Start();
  window->resize(700, 500);
  window->close();
  window = std::make_unique<ui::frmMain>(store.Folder(), dialogs, desktop);
  EXPECT_EQ(window->size(), QSize(700, 500));
}

}  // namespace
}  // namespace ostrel::testing
