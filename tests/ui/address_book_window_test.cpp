// The address book window, opened from its picture. The book's rules and
// messages are tested beside it; here each button works on what the boxes
// hold, and the list follows as the window has it.

#include "settings/address_book.h"
#include "ui/address_book_dialog.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

using AddressBookWindowTest = MainWindowTest;

TEST_F(AddressBookWindowTest, EachButtonWorksOnTheNameAndAddressInTheBoxes) {
  settings::AddAddress(store.Folder(), "Ann", "ann@example.org", dialogs);
  dialogs.shown.clear();
  Start();
  OnNext<ui::AddressBookDialog>([](auto& book) {
    EXPECT_EQ(book.windowTitle(), "Address Book");
    EXPECT_EQ(book.nameList->currentText(), "Ann");
    EXPECT_EQ(book.emailAddressEdit->text(), "");
    book.nameList->setEditText("Bob");
    book.emailAddressEdit->setText("bob@example.org");
    book.addButton->click();
    EXPECT_EQ(book.nameList->count(), 1) << "the list waits for the next opening";

    ASSERT_TRUE(PickFromList(*book.nameList, "Ann"));
    EXPECT_EQ(book.emailAddressEdit->text(), "ann@example.org");
    book.emailAddressEdit->setText("anna@example.org");
    book.updateButton->click();

    book.nameList->setEditText("Bob");
    book.deleteButton->click();
    EXPECT_EQ(book.nameList->count(), 1);
    EXPECT_EQ(book.nameList->currentText(), "Ann");
  });
  window->addressBookButton->click();
  EXPECT_THAT(desktop.opened, ElementsAre("AddressBookDialog"));
  EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("Bob has been added.", "Ann has been updated.", "Bob has been removed."));
  EXPECT_THAT(settings::ReadAddresses(store.Folder()),
              ElementsAre(settings::AddressRecord{"Ann", "anna@example.org"}));
}

}  // namespace
}  // namespace ostrel::testing
