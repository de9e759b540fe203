// The attachments window: its lists, its messages, opening and deleting.

#include "ui/attachments_window.h"

#include "ui_folder.h"

namespace ostrel::testing {
namespace {

using AttachmentsWindowTest = MainWindowTest;

TEST_F(AttachmentsWindowTest, NoFilesSaysNoAttachmentsAndOpensNoWindow) {
  Start();
  window->attachmentsButton->click();
  EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("No Attachments."));
  EXPECT_TRUE(desktop.opened.empty());
}

TEST_F(AttachmentsWindowTest, DeleteRemovesTheSelectedFileWithoutAskingAndTheLastOneClosesTheWindow) {
  WriteBytes(store / "Save" / "keep.jpg", "k");
  WriteBytes(store / "Save" / "drop.jpg", "d");
  WriteBytes(store / "Dec" / "two.txt", "2");
  bool openWhileFilesRemain = false;
  bool openAfterTheLast = true;
  OnNext<ui::AttachmentsWindow>([&](auto& attachments) {
    ASSERT_EQ(attachments.receivedList->count(), 2);
    EXPECT_EQ(attachments.receivedList->item(0)->text(), "drop.jpg");
    attachments.receivedList->item(0)->setSelected(true);
    attachments.deleteReceivedButton->click();
    ASSERT_EQ(attachments.receivedList->count(), 1);
    EXPECT_EQ(attachments.receivedList->item(0)->text(), "keep.jpg");
    attachments.receivedList->item(0)->setSelected(true);
    attachments.deleteReceivedButton->click();
    openWhileFilesRemain = attachments.isVisible();
    attachments.decryptedList->item(0)->setSelected(true);
    attachments.deleteDecryptedButton->click();
    openAfterTheLast = attachments.isVisible();
  });
  Start();
  window->attachmentsButton->click();
  EXPECT_FALSE(std::filesystem::exists(store / "Save" / "drop.jpg"));
  EXPECT_TRUE(openWhileFilesRemain);
  EXPECT_FALSE(openAfterTheLast);
  EXPECT_TRUE(dialogs.asked.empty());
  EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("No Attachments."));
}

TEST_F(AttachmentsWindowTest, OpenUsesTheDesktopAndFallsBackToTheTextViewer) {
  WriteBytes(store / "Dec" / "a.txt", "a");
  WriteBytes(store / "Dec" / "b.txt", "b");
  OnNext<ui::AttachmentsWindow>([this](auto& attachments) {
    ASSERT_EQ(attachments.decryptedList->count(), 2);
    attachments.decryptedList->selectAll();
    attachments.openDecryptedButton->click();
    desktop.openSucceeds = false;
    attachments.decryptedList->item(0)->setSelected(false);
    attachments.openDecryptedButton->click();
  });
  Start();
  window->attachmentsButton->click();
  EXPECT_THAT(desktop.openedFiles, ElementsAre(store / "Dec" / "a.txt", store / "Dec" / "b.txt",
                                               store / "Dec" / "b.txt"));
  EXPECT_THAT(desktop.opened, ElementsAre("AttachmentsWindow", "TextViewer"));
}

}  // namespace
}  // namespace ostrel::testing
