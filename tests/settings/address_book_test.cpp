#include "settings/address_book.h"

#include <gtest/gtest.h>

#include "support/recording_dialogs.h"
#include "support/temp_folder.h"

namespace ostrel::settings {
namespace {

using ostrel::testing::ReadBytes;
using ostrel::testing::RecordingDialogs;
using ostrel::testing::TempFolder;
using Texts = std::vector<std::string>;

class AddressBook : public ::testing::Test {
 protected:
  const std::filesystem::path& Folder() const { return folder_.Path(); }
  std::string FileBytes() const { return ReadBytes(folder_ / "address.dat"); }

  TempFolder folder_;
  RecordingDialogs dialogs_;
};

TEST_F(AddressBook, AddAppendsANameWithItsAddress) {
  ASSERT_TRUE(AddAddress(Folder(), "Jane", "jane@example.net", dialogs_));
  EXPECT_EQ(FileBytes(), std::string("Jane").append(36, ' ') + std::string("jane@example.net").append(64, ' '));
  EXPECT_EQ(dialogs_.ShownTexts(), Texts{"Jane has been added."});
}

TEST_F(AddressBook, AddRefusesANameAlreadyThere) {
  ASSERT_TRUE(AddAddress(Folder(), "Jane", "jane@example.net", dialogs_));
  EXPECT_FALSE(AddAddress(Folder(), "Jane", "other@example.net", dialogs_));
  EXPECT_EQ(dialogs_.ShownTexts().back(), "That Name already exists.  Choose another name or perform an Update.");
  EXPECT_EQ(ReadAddresses(Folder()), (std::vector<AddressRecord>{{"Jane", "jane@example.net"}}));
}

TEST_F(AddressBook, AddRefusesMissingOrMalformedEntries) {
  struct Case {
    const char* name;
    const char* email;
    const char* shown;
  };
  const char* missing = "Missing Data.  Define a name and an email address.";
  const char* invalid = "Invalid Email Address.  Format is yourname@yourdomain.com";
  const Case cases[] = {
      {"", "jane@example.net", missing},
      {"Jane", "", missing},
      {"Jane", "jane@example", invalid},      // no dot
      {"Jane", "jane.example.net", invalid},  // no at sign
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " / " + c.email);
    RecordingDialogs dialogs;
    EXPECT_FALSE(AddAddress(Folder(), c.name, c.email, dialogs));
    EXPECT_EQ(dialogs.ShownTexts(), Texts{c.shown});
  }
  EXPECT_EQ(FileBytes(), "");
}

TEST_F(AddressBook, LetterCaseOrTrailingBlanksMakeADifferentName) {
  ASSERT_TRUE(AddAddress(Folder(), "Jane", "jane@example.net", dialogs_));
  EXPECT_TRUE(AddAddress(Folder(), "jane", "j2@example.net", dialogs_));
  EXPECT_TRUE(AddAddress(Folder(), "Jane ", "j3@example.net", dialogs_));
  EXPECT_EQ(ReadAddresses(Folder()).size(), 3u);
  EXPECT_EQ(FindAddress(Folder(), "jane"), "j2@example.net");
  EXPECT_EQ(FindAddress(Folder(), "Jane"), "jane@example.net");  // the first of the two stored as "Jane"
}

TEST_F(AddressBook, UpdateOverwritesTheRecordInPlaceWithoutChecks) {
  ASSERT_TRUE(AddAddress(Folder(), "Jane", "jane@example.net", dialogs_));
  ASSERT_TRUE(AddAddress(Folder(), "Paul", "paul@example.net", dialogs_));
  EXPECT_TRUE(UpdateAddress(Folder(), "Jane", "no-checks", dialogs_));
  EXPECT_EQ(ReadAddresses(Folder()),
            (std::vector<AddressRecord>{{"Jane", "no-checks"}, {"Paul", "paul@example.net"}}));
  EXPECT_EQ(dialogs_.ShownTexts().back(), "Jane has been updated.");
}

TEST_F(AddressBook, UpdateOfAnUnknownNameChangesNothing) {
  ASSERT_TRUE(AddAddress(Folder(), "Jane", "jane@example.net", dialogs_));
  const std::string before = FileBytes();
  EXPECT_FALSE(UpdateAddress(Folder(), "Nobody", "x@y.z", dialogs_));
  EXPECT_EQ(FileBytes(), before);
  EXPECT_EQ(dialogs_.ShownTexts().back(), "Nobody is not in the Address Book.  Use Add to add it.");
}

TEST_F(AddressBook, DeleteRemovesEveryRecordOfTheNameKeepingTheOrder) {
  std::string bytes;
  for (const char* name : {"Ann", "Bob", "Ann", "Cid", "Bob"}) {
    bytes += std::string(name).append(37, ' ') + std::string(name).append("@example.net").append(68, ' ');
  }
  ostrel::testing::WriteBytes(Folder() / "address.dat", bytes);
  EXPECT_TRUE(DeleteAddress(Folder(), "Bob", dialogs_));
  EXPECT_EQ(dialogs_.ShownTexts(), Texts{"Bob has been removed."});
  EXPECT_EQ(ReadAddresses(Folder()), (std::vector<AddressRecord>{
                                         {"Ann", "Ann@example.net"}, {"Ann", "Ann@example.net"}, {"Cid", "Cid@example.net"}}));
  const AddressBookForm form = LoadAddressBook(Folder());
  EXPECT_EQ(form.names, (Texts{"Ann", "Ann", "Cid"}));
  EXPECT_EQ(form.nameBox, "Ann");
  EXPECT_FALSE(std::filesystem::exists(Folder() / "address.tmp"));
}

TEST_F(AddressBook, DeleteOfAnUnknownNameStillSaysItWasRemoved) {
  ASSERT_TRUE(AddAddress(Folder(), "Ann", "ann@example.net", dialogs_));
  const std::string before = FileBytes();
  EXPECT_TRUE(DeleteAddress(Folder(), "Zed", dialogs_));
  EXPECT_EQ(dialogs_.ShownTexts().back(), "Zed has been removed.");
  EXPECT_EQ(FileBytes(), before);
}

TEST_F(AddressBook, DeletingTheLastNameLeavesAnEmptyBook) {
  ASSERT_TRUE(AddAddress(Folder(), "Ann", "ann@example.net", dialogs_));
  ASSERT_TRUE(DeleteAddress(Folder(), "Ann", dialogs_));
  EXPECT_EQ(FileBytes(), "");
  EXPECT_EQ(LoadAddressBook(Folder()).nameBox, "");
}

TEST_F(AddressBook, ALongNameIsFoundByItsCutForm) {
  const std::string longName(45, 'n');
  ASSERT_TRUE(AddAddress(Folder(), longName, "n@example.net", dialogs_));
  EXPECT_FALSE(FindAddress(Folder(), longName));
  EXPECT_EQ(FindAddress(Folder(), longName.substr(0, 40)), "n@example.net");
}

TEST_F(AddressBook, APartialLastRecordIsIgnored) {
  ostrel::testing::WriteBytes(Folder() / "address.dat", std::string(120, ' ').replace(0, 3, "Ann") + "Bo");
  EXPECT_EQ(LoadAddressBook(Folder()).names, Texts{"Ann"});
}

}  // namespace
}  // namespace ostrel::settings
