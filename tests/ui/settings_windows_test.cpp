// The address book, signatures and filters windows. Their records, files and
// messages are tested beside the settings; here each button works on what the
// window's boxes hold, and the window shows what comes back.

#include "settings/address_book.h"
#include "settings/signatures.h"
#include "ui/address_book_dialog.h"
#include "ui/filters_dialog.h"
#include "ui/signatures_dialog.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

using SettingsWindowsTest = MainWindowTest;

TEST_F(SettingsWindowsTest, AddressBookButtonsWorkOnTheNameAndAddressInTheBoxes) {
  settings::AddAddress(store.Folder(), "Ann", "ann@example.org", dialogs);
  dialogs.shown.clear();
  Start();
  OnNext<ui::AddressBookDialog>([](auto& book) {
    book.nameList->setEditText("Bob");
    book.emailAddressEdit->setText("bob@example.org");
    book.addButton->click();

    ASSERT_TRUE(PickFromList(*book.nameList, "Ann"));
    EXPECT_EQ(book.emailAddressEdit->text(), "ann@example.org");
    book.emailAddressEdit->setText("anna@example.org");
    book.updateButton->click();

    book.nameList->setEditText("Bob");
    book.deleteButton->click();
    EXPECT_EQ(book.nameList->currentText(), "Ann");
  });
  window->addressBookButton->click();
  EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("Bob has been added.", "Ann has been updated.", "Bob has been removed."));
  EXPECT_THAT(settings::ReadAddresses(store.Folder()),
              ElementsAre(settings::AddressRecord{"Ann", "anna@example.org"}));
}

TEST_F(SettingsWindowsTest, SignaturesAddPickAndDeleteWorkOnTheBoxesAndTheListFollows) {
  settings::AddOrUpdateSignature(store.Folder(), "Home", "Al\r\nat home", dialogs);
  dialogs.shown.clear();
  Start();
  Open<ui::SignaturesDialog>(window->signaturesAction, [](auto& signatures) {
    EXPECT_EQ(signatures.signatureEdit->toPlainText(), "Al\nat home");
    signatures.nameList->setEditText("Work");
    signatures.signatureEdit->setPlainText("Alice\nOstrel Ltd.");
    signatures.addUpdateButton->click();

    ASSERT_TRUE(PickFromList(*signatures.nameList, "Home"));
    EXPECT_EQ(signatures.signatureEdit->toPlainText(), "Al\nat home");
    signatures.deleteButton->click();
    EXPECT_EQ(signatures.nameList->currentText(), "Work");
    EXPECT_EQ(signatures.signatureEdit->toPlainText(), "Alice\nOstrel Ltd.");
  });
  EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("Signature Added.", "Signature Deleted."));
  EXPECT_THAT(settings::ReadSignatures(store.Folder()),
              ElementsAre(settings::SignatureRecord{"Work", "Alice\r\nOstrel Ltd."}));
  EXPECT_EQ(ReadBytes(store / "sig.cur"), "Alice\r\nOstrel Ltd.\r\n") << "picking made no other text current";
}

TEST_F(SettingsWindowsTest, FiltersShowTheEntriesAndSaveButNotCancelWritesTheEditedLinesBack) {
  WriteBytes(store / "filter.dat", "casino\r\n\r\n  free money \r\n");
  Start();
  Open<ui::FiltersDialog>(window->filtersAction, [](auto& filters) {
    filters.filtersEdit->setPlainText("changed");
    filters.cancelButton->click();
  });
  EXPECT_EQ(ReadBytes(store / "filter.dat"), "casino\r\n\r\n  free money \r\n");
  Open<ui::FiltersDialog>(window->filtersAction, [](auto& filters) {
    EXPECT_EQ(filters.filtersEdit->toPlainText(), "casino\n\n  free money \n");
    filters.filtersEdit->appendPlainText("lottery");
    filters.saveButton->click();
    EXPECT_FALSE(filters.isVisible());
  });
  EXPECT_THAT(dialogs.ShownTexts(),
              ElementsAre("You need to select Use Filters in options before filtering can take effect."));
  EXPECT_EQ(ReadBytes(store / "filter.dat"), "casino\r\n\r\n  free money \r\n\r\nlottery\r\n");
}

}  // namespace
}  // namespace ostrel::testing
