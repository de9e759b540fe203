// The address book window, opened from File/Address Book and its picture.
// The book's rules and messages are tested beside it; here each button
// works on what the boxes hold, and the list follows as the window has it.

#include "settings/address_book.h"
#include "ui/address_book_dialog.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

class AddressBookWindowTest : public MainWindowTest {
 protected:
  std::vector<settings::AddressRecord> Stored() const { return settings::ReadAddresses(store.Folder()); }
};

TEST_F(AddressBookWindowTest, AddStoresTheNameAndAddressShownButTheListWaitsForTheNextOpening) {
  Start();
  Open<ui::AddressBookDialog>(window->addressBookAction, [](auto& book) {
    EXPECT_EQ(book.windowTitle(), "Address Book");
    book.nameList->setEditText("Bob");
    book.emailAddressEdit->setText("bob.example.org");
    book.addButton->click();
    book.emailAddressEdit->setText("bob@example.org");
    book.addButton->click();
    EXPECT_EQ(book.nameList->count(), 0);
  });
  EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("Invalid Email Address.  Format is yourname@yourdomain.com",
                                                "Bob has been added."));
  EXPECT_THAT(Stored(), ElementsAre(settings::AddressRecord{"Bob", "bob@example.org"}));
}

TEST_F(AddressBookWindowTest, PickUpdateAndDeleteWorkOnTheNameInTheBox) {
  for (const auto& [name, email] : {std::pair{"Ann", "ann@example.org"}, std::pair{"Bob", "bob@example.org"}}) {
    settings::AddAddress(store.Folder(), name, email, dialogs);
  }
  dialogs.shown.clear();
  Start();
  OnNext<ui::AddressBookDialog>([](auto& book) {
    EXPECT_EQ(book.nameList->currentText(), "Ann");
    EXPECT_EQ(book.emailAddressEdit->text(), "");
    ASSERT_TRUE(PickFromList(*book.nameList, "Bob"));
    EXPECT_EQ(book.emailAddressEdit->text(), "bob@example.org");
    book.emailAddressEdit->setText("robert@example.org");
    book.updateButton->click();

    book.nameList->setEditText("Ann");
    book.deleteButton->click();
    EXPECT_EQ(book.nameList->count(), 1);
    EXPECT_EQ(book.nameList->currentText(), "Bob");
    EXPECT_EQ(book.emailAddressEdit->text(), "");
  });
  window->addressBookButton->click();
  EXPECT_THAT(desktop.opened, ElementsAre("AddressBookDialog"));
  EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("Bob has been updated.", "Ann has been removed."));
  EXPECT_THAT(Stored(), ElementsAre(settings::AddressRecord{"Bob", "robert@example.org"}));
}

}  // namespace
}  // namespace ostrel::testing
