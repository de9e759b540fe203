// The signatures window, opened from File/Signatures. The records, the
// current signature's file and the messages are tested beside the
// signatures; here the window hands over its boxes and shows what it gets.

#include "settings/signatures.h"
#include "ui/signatures_dialog.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

using SignaturesWindowTest = MainWindowTest;

TEST_F(SignaturesWindowTest, AddPickAndDeleteWorkOnTheBoxesAndTheListFollows) {
  settings::AddOrUpdateSignature(store.Folder(), "Home", "Al\r\nat home", dialogs);
  dialogs.shown.clear();
  Start();
  Open<ui::SignaturesDialog>(window->signaturesAction, [](auto& signatures) {
    EXPECT_EQ(signatures.windowTitle(), "Signatures");
    EXPECT_EQ(signatures.noteLabel->text(),
              "Note: The last Signature created or updated will be used if included in message.");
    EXPECT_EQ(signatures.signatureEdit->toPlainText(), "Al\nat home");
    signatures.nameList->setEditText("Work");
    signatures.signatureEdit->setPlainText("Alice\nOstrel Ltd.");
    signatures.addUpdateButton->click();
    EXPECT_EQ(signatures.nameList->count(), 2);

    ASSERT_TRUE(PickFromList(*signatures.nameList, "Home"));
    EXPECT_EQ(signatures.signatureEdit->toPlainText(), "Al\nat home");
    signatures.deleteButton->click();
    EXPECT_EQ(signatures.nameList->count(), 1);
    EXPECT_EQ(signatures.nameList->currentText(), "Work");
    EXPECT_EQ(signatures.signatureEdit->toPlainText(), "Alice\nOstrel Ltd.");
  });
  EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("Signature Added.", "Signature Deleted."));
  EXPECT_THAT(settings::ReadSignatures(store.Folder()),
              ElementsAre(settings::SignatureRecord{"Work", "Alice\r\nOstrel Ltd."}));
  EXPECT_EQ(ReadBytes(store / "sig.cur"), "Alice\r\nOstrel Ltd.\r\n") << "picking made no other text current";
}

}  // namespace
}  // namespace ostrel::testing
