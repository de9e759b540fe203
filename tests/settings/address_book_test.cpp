#include "settings/address_book.h"

#include "settings_fixture.h"

namespace ostrel::settings {
namespace {

using AddressBook = SettingsTest;

TEST_F(AddressBook, AddAppendsOnlyANameNotAlreadyThere) {
  ASSERT_TRUE(AddAddress(folder.Path(), "Jane", "jane@example.net", dialogs));
  EXPECT_FALSE(AddAddress(folder.Path(), "Jane", "other@example.net", dialogs));
  EXPECT_EQ(ReadBytes(folder / "address.dat"),
            std::string("Jane").append(36, ' ') + std::string("jane@example.net").append(64, ' '));
  EXPECT_EQ(dialogs.ShownTexts(), (Texts{"Jane has been added.",
                                         "That Name already exists.  Choose another name or perform an Update."}));
}

TEST_F(AddressBook, AddRefusesMissingOrMalformedEntries) {
  EXPECT_FALSE(AddAddress(folder.Path(), "", "jane@example.net", dialogs));
  EXPECT_FALSE(AddAddress(folder.Path(), "Jane", "jane@example", dialogs));  // no dot
  EXPECT_EQ(dialogs.ShownTexts(), (Texts{"Missing Data.  Define a name and an email address.",
                                         "Invalid Email Address.  Format is yourname@yourdomain.com"}));
  EXPECT_EQ(ReadBytes(folder / "address.dat"), "");
}

TEST_F(AddressBook, LetterCaseOrTrailingBlanksMakeADifferentName) {
  ASSERT_TRUE(AddAddress(folder.Path(), "Jane", "jane@example.net", dialogs));
  EXPECT_TRUE(AddAddress(folder.Path(), "jane", "j2@example.net", dialogs));
  EXPECT_TRUE(AddAddress(folder.Path(), "Jane ", "j3@example.net", dialogs));
  EXPECT_EQ(ReadAddresses(folder.Path()).size(), 3u);
  EXPECT_EQ(FindAddress(folder.Path(), "jane"), "j2@example.net");
  EXPECT_EQ(FindAddress(folder.Path(), "Jane"), "jane@example.net");  // the first of the two stored as "Jane"
}

TEST_F(AddressBook, UpdateOverwritesAKnownNamesRecordInPlaceWithoutChecks) {
  ASSERT_TRUE(AddAddress(folder.Path(), "Jane", "jane@example.net", dialogs));
  ASSERT_TRUE(AddAddress(folder.Path(), "Paul", "paul@example.net", dialogs));
  EXPECT_TRUE(UpdateAddress(folder.Path(), "Jane", "no-checks", dialogs));
  EXPECT_EQ(ReadAddresses(folder.Path()),
            (std::vector<AddressRecord>{{"Jane", "no-checks"}, {"Paul", "paul@example.net"}}));
  EXPECT_EQ(dialogs.ShownTexts().back(), "Jane has been updated.");

  const std::string before = ReadBytes(folder / "address.dat");
  EXPECT_FALSE(UpdateAddress(folder.Path(), "Nobody", "x@y.z", dialogs));
  EXPECT_EQ(ReadBytes(folder / "address.dat"), before);
  EXPECT_EQ(dialogs.ShownTexts().back(), "Nobody is not in the Address Book.  Use Add to add it.");
}

TEST_F(AddressBook, DeleteRemovesEveryRecordOfTheNameKeepingTheOrder) {
  std::string bytes;
  for (const char* name : {"Ann", "Bob", "Ann", "Cid", "Bob"}) {
    bytes += std::string(name).append(37, ' ') + std::string(name).append("@example.net").append(68, ' ');
  }
  WriteBytes(folder / "address.dat", bytes);
  EXPECT_TRUE(DeleteAddress(folder.Path(), "Bob", dialogs));
  EXPECT_EQ(dialogs.ShownTexts(), Texts{"Bob has been removed."});
  EXPECT_EQ(ReadAddresses(folder.Path()),
            (std::vector<AddressRecord>{
                {"Ann", "Ann@example.net"}, {"Ann", "Ann@example.net"}, {"Cid", "Cid@example.net"}}));
  const AddressBookForm form = LoadAddressBook(folder.Path());
  EXPECT_EQ(form.names, (Texts{"Ann", "Ann", "Cid"}));
  EXPECT_EQ(form.nameBox, "Ann");
}

}  // namespace
}  // namespace ostrel::settings
