// The attachments window: its lists, its messages, opening and deleting.

#include "ui/frm_attachments.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

using AttachmentsWindowTest = MainWindowTest;

TEST_F(AttachmentsWindowTest, NoFilesSaysNoAttachmentsAndOpensNoWindow) {
  Start();
  window->Image10->click();
  EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("No Attachments."));
  EXPECT_TRUE(desktop.opened.empty());
}

TEST_F(AttachmentsWindowTest, ButtonsWithNothingSelectedSayWhatToDoAndDeleteRemovesTheSelectedWithoutAsking) {
  WriteBytes(store / "Save" / "keep.jpg", "k");
  WriteBytes(store / "Save" / "drop.jpg", "d");
  WriteBytes(store / "Dec" / "report.doc", "r");
  OnNext<ui::frmAttachments>([](auto& attachments) {
    EXPECT_EQ(attachments.windowTitle(), "Current Attachments");
    for (QPushButton* button : {attachments.Command1, attachments.Command2, attachments.Command4, attachments.Command5}) {
      button->click();
    }
    ASSERT_EQ(attachments.File1->count(), 2);
    EXPECT_EQ(attachments.File1->item(0)->text(), "drop.jpg");
    attachments.File1->item(0)->setSelected(true);
    attachments.Command4->click();
    ASSERT_EQ(attachments.File1->count(), 1);
    EXPECT_EQ(attachments.File1->item(0)->text(), "keep.jpg");
    attachments.Command3->click();
    EXPECT_FALSE(attachments.isVisible());
  });
  Start();
  window->Image10->click();
  EXPECT_THAT(dialogs.ShownTexts(),
              ElementsAre("You must select the file you want to open first.",
                          "You must select the file(s) you want to open first.",
                          "You must select the file(s) you want to delete first.",
                          "You must select the file(s) you want to delete first."));
  EXPECT_FALSE(std::filesystem::exists(store / "Save" / "drop.jpg"));
  EXPECT_TRUE(std::filesystem::exists(store / "Save" / "keep.jpg"));
  EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(AttachmentsWindowTest, DeletingTheLastFileSaysNoAttachmentsAndClosesTheWindow) {
  WriteBytes(store / "Save" / "one.txt", "1");
  WriteBytes(store / "Dec" / "two.txt", "2");
  bool openAfterFirst = false;
  bool openAfterLast = true;
  OnNext<ui::frmAttachments>([&](auto& attachments) {
    attachments.File1->item(0)->setSelected(true);
    attachments.Command4->click();
    openAfterFirst = attachments.isVisible();
    attachments.File2->item(0)->setSelected(true);
    attachments.Command5->click();
    openAfterLast = attachments.isVisible();
  });
  Start();
  window->Image10->click();
  EXPECT_TRUE(openAfterFirst);
  EXPECT_FALSE(openAfterLast);
  EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("No Attachments."));
  EXPECT_TRUE(std::filesystem::is_empty(store / "Save"));
  EXPECT_TRUE(std::filesystem::is_empty(store / "Dec"));
}

TEST_F(AttachmentsWindowTest, OpenUsesTheDesktopAndFallsBackToTheTextViewer) {
  WriteBytes(store / "Dec" / "a.txt", "a");
  WriteBytes(store / "Dec" / "b.txt", "b");
  OnNext<ui::frmAttachments>([this](auto& attachments) {
    ASSERT_EQ(attachments.File2->count(), 2);
    attachments.File2->selectAll();
    attachments.Command2->click();
    desktop.openSucceeds = false;
    attachments.File2->item(0)->setSelected(false);
    attachments.Command2->click();
  });
  Start();
  window->Image10->click();
  EXPECT_THAT(desktop.openedFiles, ElementsAre(store / "Dec" / "a.txt", store / "Dec" / "b.txt",
                                               store / "Dec" / "b.txt"));
  EXPECT_THAT(desktop.opened, ElementsAre("frmAttachments", "frmTextViewer"));
}

}  // namespace
}  // namespace ostrel::testing
