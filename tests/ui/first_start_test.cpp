// Start-up, the first-run notice, the about box and the end of the program.
#include <gmock/gmock.h>

#include <QAction>
#include <QGroupBox>
#include <QToolButton>

#include <QCheckBox>
#include <QGroupBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>

#include "keys/key_store.h"
#include "ui/frm_notice.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

using ::testing::ElementsAre;

class FirstStartTest : public ::testing::Test {
 protected:
  void Start() {
    window = std::make_unique<ui::frmMain>(folder.Path().string() + "/", dialogs, desktop);
    window->Load();
    window->show();
    window->Activate();
  }

  TempFolder folder;
  RecordingDialogs dialogs;
  ScriptedDesktop desktop;
  std::unique_ptr<ui::frmMain> window;
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
  for (const char* name : {"In", "Out", "Trash", "Junk", "Sent", "Save", "Dec", "Enc"}) {
    EXPECT_TRUE(std::filesystem::is_directory(folder / name)) << name;
  }
  EXPECT_EQ(ReadBytes(folder / "In" / "index.dat"), " 0\r\n");
  EXPECT_EQ(ReadBytes(folder / "email.opt"), "");
  EXPECT_EQ(ReadBytes(folder / "opt.dne"), "");
  EXPECT_TRUE(std::filesystem::exists(folder / "oxmover.htm"));

  // Later activations never show the notice again, and setup stays missing.
  window->Activate();
  EXPECT_EQ(desktop.opened.size(), 1u);
  EXPECT_FALSE(window->flex->isVisible());
}

TEST_F(FirstStartTest, TickingDoNotShowAgainWritesTheMarkerWhenTheNoticeCloses) {
  desktop.onModal.push_back([](QDialog& dialog) {
    auto& notice = dynamic_cast<ui::frmNotice&>(dialog);
    EXPECT_EQ(notice.Check1->text(), "Do not show this again");
    notice.Check1->setChecked(true);
    notice.close();
  });
  Start();
  EXPECT_EQ(ReadBytes(folder / "opt.dne"), "Done\r\n");
}

TEST_F(FirstStartTest, ClosingTheNoticeUntickedBringsItBackAtTheNextStart) {
  Start();
  window.reset();
  EXPECT_EQ(ReadBytes(folder / "opt.dne"), "");
  desktop.opened.clear();
  Start();
  EXPECT_THAT(desktop.opened, ElementsAre("frmNotice"));
}

TEST_F(FirstStartTest, ChoosingABoxShowsTheGridEvenWithoutSetup) {
  Start();
  window->emout->trigger();
  EXPECT_TRUE(window->flex->isVisible());
  EXPECT_EQ(window->Frame2->title(), "Sent (0 msgs)");
}

TEST_F(MainWindowTest, DefaultKeyIsLoadedAtStartAndNamedInTheKeyList) {
  WriteSettings(store.Folder());
  WriteDefaultKey(store.Folder());
  WriteBytes(store / "opt.dne", "Done\r\n");
  Start();
  EXPECT_TRUE(desktop.opened.empty());
  EXPECT_THAT(dialogs.statuses, ElementsAre("", "Generating Keyspace...", "Key is now loaded."));
  EXPECT_EQ(window->lbStat->text(), "Key is now loaded.");
  ASSERT_EQ(window->Combo1->count(), 2);
  EXPECT_EQ(window->Combo1->currentText(), "Alice");
  EXPECT_TRUE(window->flex->isVisible());
  EXPECT_EQ(Caption(), "InBox (0 msgs)");
}

TEST_F(MainWindowTest, ChoosingAKeyInTheListLoadsItAndRemembersIt) {
  WriteSettings(store.Folder());
  keys::WriteKeys(store.Folder(), {{"First", "first key", false}, {"Second", "second key", false}});
  WriteBytes(store / "opt.dne", "Done\r\n");
  Start();
  window->Combo1->setCurrentIndex(1);
  emit window->Combo1->activated(1);
  EXPECT_EQ(ReadBytes(store / "key.key"), "second key\r\n");
  EXPECT_EQ(window->lbStat->text(), "Key is now loaded.");
  EXPECT_TRUE(window->Program().Engine.KeyLoaded());
}

TEST_F(MainWindowTest, ExitWithEmptyTrashOnExitLeavesAnEmptyTrashAndNoWorkFiles) {
  WriteSettings(store.Folder(), true);
  WriteDefaultKey(store.Folder());
  WriteBytes(store / "opt.dne", "Done\r\n");
  const std::string name = store.AddMessage("Trash", "Old", "old text\r\n", std::string("old page\r\n"));
  Start();
  ASSERT_TRUE(std::filesystem::exists(store / "k1.bin"));
  window->fleext->trigger();
  EXPECT_EQ(ReadBytes(store / "trash.dat"), "");
  EXPECT_FALSE(std::filesystem::exists(store / "Trash" / (name + ".txt")));
  EXPECT_FALSE(std::filesystem::exists(store / "Trash" / (name + ".htm")));
  for (const char* work : {"k1.bin", "k1.brs", "k1.bcr", "k2.bin", "k3.bin", "k4.bin", "k5.bin", "k6.dat"}) {
    EXPECT_FALSE(std::filesystem::exists(store / work)) << work;
  }
  EXPECT_TRUE(std::filesystem::exists(store / "window.ini"));
}

TEST_F(MainWindowTest, ExitWithoutEmptyTrashKeepsTheTrash) {
  WriteSettings(store.Folder(), false);
  WriteBytes(store / "opt.dne", "Done\r\n");
  store.AddMessage("Trash", "Old", "old text\r\n");
  Start();
  window->close();
  EXPECT_EQ(store.Subjects("Trash"), std::vector<std::string>{"Old"});
}

TEST_F(MainWindowTest, AboutBoxAndLaterWindowsOpenModally) {
  WriteSettings(store.Folder());
  WriteBytes(store / "opt.dne", "Done\r\n");
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
  EXPECT_EQ(window->Program().ComposeMode, "New");
}

TEST_F(MainWindowTest, WindowSizeAndPositionAreRememberedInTheProgramFolder) {
  WriteSettings(store.Folder());
  WriteBytes(store / "opt.dne", "Done\r\n");
  Start();
  window->resize(700, 500);
  window->close();
  window = std::make_unique<ui::frmMain>(store.Folder(), dialogs, desktop);
  EXPECT_EQ(window->size(), QSize(700, 500));
}

}  // namespace
}  // namespace ostrel::testing
