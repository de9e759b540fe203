// File/Import and File/Reset All Boxes, driven through the menu.

#include "ui_folder.h"

namespace ostrel::testing {
namespace {

class ImportResetWindowTest : public MainWindowTest {
 protected:
  // Imports an enciphered attachment through the File menu.
  void ImportEncipheredReport() {
    WriteBytes(outside / "report.doc", "The quarterly report.\r\n");
    EncipherFile(outside / "report.doc", outside / "report.doc.enc");
    desktop.chosenFiles.push_back(outside / "report.doc.enc");
    Start();
    window->importAttachmentsAction->trigger();
  }

  TempFolder outside;
};

TEST_F(ImportResetWindowTest, ImportedMessageJoinsTheInBoxShownAndACancelledDialogChangesNothing) {
  store.AddMessage("In", "One", "1\r\n");
  WriteBytes(outside / "letter.txt", "ABCDEF\r\n");
  desktop.chosenFiles = {std::nullopt, std::nullopt, outside / "letter.txt"};
  Start();
  window->importMessageAction->trigger();
  window->importAttachmentsAction->trigger();
  EXPECT_EQ(store.Index("In"), " 1\r\n");
  window->importMessageAction->trigger();
  EXPECT_EQ(Caption(), "InBox (2 msgs)");
}

TEST_F(ImportResetWindowTest, ImportedEncAttachmentIsDecipheredIntoDec) {
  WriteDefaultKey(store.Folder());
  ImportEncipheredReport();
  EXPECT_EQ(ReadBytes(store / "Dec" / "report.doc"), "The quarterly report.\r\n");
}

TEST_F(ImportResetWindowTest, EncAttachmentWithoutAKeyStaysReceivedAndIsReported) {
  ImportEncipheredReport();
  EXPECT_TRUE(std::filesystem::exists(store / "Save" / "report.doc.enc"));
  EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("The attachment report.doc.enc could not be deciphered with the key "
                                                "loaded. It stays in the Received list."));
}

// The question and what a reset removes are the store's, tested beside it.
TEST_F(ImportResetWindowTest, ResetAsksFirstAndOnYesEmptiesEveryBoxShown) {
  store.AddMessage("In", "Gone", "g\r\n");
  dialogs.answers = {base::Answer::No, base::Answer::Yes};
  Start();
  window->resetAllBoxesAction->trigger();
  EXPECT_EQ(Caption(), "InBox (1 msgs)");
  window->resetAllBoxesAction->trigger();
  EXPECT_EQ(Caption(), "InBox (0 msgs)");
}

}  // namespace
}  // namespace ostrel::testing
