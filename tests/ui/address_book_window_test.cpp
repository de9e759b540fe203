// The address book window, opened from File/Address Book and its picture.

#include "settings/address_book.h"
#include "ui/frm_address.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

class AddressBookWindowTest : public MainWindowTest {
 protected:
  std::vector<settings::AddressRecord> Stored() const { return settings::ReadAddresses(store.Folder()); }
};

TEST_F(AddressBookWindowTest, AddRefusesMissingDataBadAddressesAndNamesAlreadyStored) {
  Start();
  Open<ui::frmAddress>(window->fleadr, [this](auto& book) {
    EXPECT_EQ(book.windowTitle(), "Address Book");
    EXPECT_EQ(book.Combo1->count(), 0);
    book.Combo1->setEditText("Bob");
    book.Command1->click();
    book.Text1->setText("bob@example");
    book.Command1->click();
    book.Text1->setText("bob.example.org");
    book.Command1->click();
    book.Text1->setText("bob@example.org");
    book.Command1->click();
    book.Command1->click();
    book.Combo1->setEditText("Nobody");
    book.Command2->click();
    // The list shows the new name only when the window is loaded again.
    EXPECT_EQ(book.Combo1->count(), 0);
  });
  EXPECT_THAT(dialogs.ShownTexts(),
              ElementsAre("Missing Data.  Define a name and an email address.",
                          "Invalid Email Address.  Format is yourname@yourdomain.com",
                          "Invalid Email Address.  Format is yourname@yourdomain.com", "Bob has been added.",
                          "That Name already exists.  Choose another name or perform an Update.",
                          "Nobody is not in the Address Book.  Use Add to add it."));
  EXPECT_THAT(Stored(), ElementsAre(settings::AddressRecord{"Bob", "bob@example.org"}));
}

TEST_F(AddressBookWindowTest, PickUpdateAndDeleteWorkOnTheNameInTheBox) {
  for (const auto& [name, email] : {std::pair{"Ann", "ann@example.org"}, std::pair{"Bob", "bob@example.org"}}) {
    settings::AddAddress(store.Folder(), name, email, dialogs);
  }
  dialogs.shown.clear();
  Start();
  OnNext<ui::frmAddress>([this](auto& book) {
    EXPECT_EQ(book.Combo1->currentText(), "Ann");
    EXPECT_EQ(book.Text1->text(), "");
    ASSERT_TRUE(PickFromList(*book.Combo1, "Bob"));
    EXPECT_EQ(book.Text1->text(), "bob@example.org");
    book.Text1->setText("robert@example.org");
    book.Command2->click();

    book.Combo1->setEditText("Ann");
    book.Command3->click();
    EXPECT_EQ(book.Combo1->count(), 1);
    EXPECT_EQ(book.Combo1->currentText(), "Bob");
    EXPECT_EQ(book.Text1->text(), "");
  });
  window->Image2->click();
  EXPECT_THAT(desktop.opened, ElementsAre("frmAddress"));
  EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("Bob has been updated.", "Ann has been removed."));
  EXPECT_THAT(Stored(), ElementsAre(settings::AddressRecord{"Bob", "robert@example.org"}));
}

}  // namespace
}  // namespace ostrel::testing
