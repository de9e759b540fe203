#include "settings/accounts.h"

#include "settings_fixture.h"

namespace ostrel::settings {
namespace {

using Accounts = SettingsTest;

MailOptions Account(std::string pop, std::string user = "jane") {
  MailOptions account;
  account.PopServer = std::move(pop);
  account.SmtpServer = "smtp.example.net";
  account.UserName = std::move(user);
  account.Password = "secret";
  account.EmailAddress = "jane@example.net";
  account.DeleteOnServer = true;
  account.UseFilters = true;
  return account;
}

TEST(AccountRecord, FieldsStandAtTheirOffsets) {
  const std::string record = FormatAccountRecord(Account("pop.example.net"));
  ASSERT_EQ(record.size(), kAccountRecordLength);
  EXPECT_EQ(record.substr(0, 80), std::string("pop.example.net").append(65, ' '));
  EXPECT_EQ(record.substr(80, 16), "smtp.example.net");
  EXPECT_EQ(record.substr(160, 20), std::string("jane").append(16, ' '));
  EXPECT_EQ(record.substr(180, 6), "secret");
  EXPECT_EQ(record.substr(200, 20), "jane@example.net    ");
  EXPECT_EQ(record.substr(220), "YNNNY");
  EXPECT_EQ(ParseAccountRecord(record), Account("pop.example.net"));
}

TEST_F(Accounts, ListingCreatesAnEmptyPrivateFile) {
  EXPECT_TRUE(ListAccounts(folder.Path()).empty());
  EXPECT_EQ(ReadBytes(folder / "accounts.dat"), "");
  EXPECT_EQ(testing::FileMode(folder / "accounts.dat"), 0600u);
  EXPECT_FALSE(FindAccount(folder.Path(), "pop.example.net"));
  // A folder where nothing can be created reads as empty.
  EXPECT_TRUE(ListAccounts(folder / "not there").empty());
  EXPECT_FALSE(FindAccount(folder / "not there", "pop"));
  EXPECT_FALSE(HasSettings(folder / "not there"));
}

TEST_F(Accounts, StoringTheSameServerAgainOverwritesItsRecord) {
  StoreAccount(folder.Path(), Account("pop.example.net", "first"));
  StoreAccount(folder.Path(), Account("pop.other.net"));
  StoreAccount(folder.Path(), Account("pop.example.net", "second"));
  StoreAccount(folder.Path(), Account("POP.example.net"));
  EXPECT_EQ(ListAccounts(folder.Path()), (Texts{"pop.example.net", "pop.other.net", "POP.example.net"}));
  EXPECT_EQ(ReadBytes(folder / "accounts.dat").size(), 3 * kAccountRecordLength);
  EXPECT_EQ(FindAccount(folder.Path(), "pop.example.net")->UserName, "second");
  EXPECT_FALSE(FindAccount(folder.Path(), "pop.example"));
}

}  // namespace
}  // namespace ostrel::settings
