// The signatures window, opened from File/Signatures.

#include "settings/signatures.h"
#include "ui/frm_signatures.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

using SignaturesWindowTest = MainWindowTest;

TEST_F(SignaturesWindowTest, AddThenUpdateStoreLinesWithCrLfAndMakeTheTextCurrent) {
  Start();
  Open<ui::frmSignatures>(window->flesig, [](auto& signatures) {
    EXPECT_EQ(signatures.windowTitle(), "Signatures");
    EXPECT_EQ(signatures.Label2->text(),
              "Note: The last Signature created or updated will be used if included in message.");
    EXPECT_EQ(signatures.Combo1->count(), 0);
    EXPECT_EQ(signatures.Text1->toPlainText(), "");
    signatures.Combo1->setEditText("Work");
    signatures.Command1->click();
    signatures.Text1->setPlainText("Alice\nOstrel Ltd.");
    signatures.Command1->click();
    EXPECT_EQ(signatures.Combo1->count(), 1);
    signatures.Text1->setPlainText("Alice Smith\nOstrel Ltd.");
    signatures.Command1->click();
  });
  EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("Cannot Add or Update.  Missing Name and/or Signature Data.",
                                                "Signature Added.", "Signature Updated."));
  EXPECT_THAT(settings::ReadSignatures(store.Folder()),
              ElementsAre(settings::SignatureRecord{"Work", "Alice Smith\r\nOstrel Ltd."}));
  EXPECT_EQ(ReadBytes(store / "sig.cur"), "Alice Smith\r\nOstrel Ltd.\r\n");
}

TEST_F(SignaturesWindowTest, PickingShowsATextWithoutMakingItCurrentAndDeleteReloads) {
  settings::AddOrUpdateSignature(store.Folder(), "Home", "Al\r\nat home", dialogs);
  settings::AddOrUpdateSignature(store.Folder(), "Work", "Alice\r\nat work", dialogs);
  dialogs.shown.clear();
  Start();
  Open<ui::frmSignatures>(window->flesig, [this](auto& signatures) {
    EXPECT_EQ(signatures.Combo1->currentText(), "Home");
    EXPECT_EQ(signatures.Text1->toPlainText(), "Al\nat home");
    ASSERT_TRUE(PickFromList(*signatures.Combo1, "Work"));
    EXPECT_EQ(signatures.Text1->toPlainText(), "Alice\nat work");
    EXPECT_EQ(ReadBytes(store / "sig.cur"), "Alice\r\nat work\r\n");

    signatures.Combo1->setEditText("");
    signatures.Command2->click();
    signatures.Combo1->setEditText("home");
    signatures.Command2->click();
    EXPECT_EQ(signatures.Combo1->count(), 2);

    signatures.Combo1->setEditText("Home");
    signatures.Command2->click();
    EXPECT_EQ(signatures.Combo1->count(), 1);
    EXPECT_EQ(signatures.Combo1->currentText(), "Work");
    EXPECT_EQ(signatures.Text1->toPlainText(), "Alice\nat work");
  });
  EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("Cannot Delete.  Missing Signature Name.",
                                                "There is no Signature named home.", "Signature Deleted."));
  EXPECT_THAT(settings::ReadSignatures(store.Folder()),
              ElementsAre(settings::SignatureRecord{"Work", "Alice\r\nat work"}));
}

}  // namespace
}  // namespace ostrel::testing
