#include "settings/options_form.h"

#include "settings/accounts.h"
#include "settings_fixture.h"

namespace ostrel::settings {
namespace {

using OptionsFormTest = SettingsTest;

OptionsForm Designed() {
  OptionsForm designed;
  designed.fields.PopServer = "typed before loading";
  designed.fields.CheckMailOnStartup = true;
  designed.sample = {"MS Sans Serif", 8.25F, -2147483643, -2147483640};
  return designed;
}

TEST_F(OptionsFormTest, WithoutSettingsTheTextBoxesAreEmptyButTheDesignedLookStays) {
  const OptionsForm form = LoadOptionsForm(folder.Path(), Designed());
  EXPECT_TRUE(form.accountNames.empty());
  EXPECT_EQ(form.fields.PopServer, "");
  EXPECT_TRUE(form.fields.CheckMailOnStartup);
  EXPECT_EQ(form.sample, Designed().sample);
}

TEST_F(OptionsFormTest, SaveWritesBothFilesForTheProgramsMailOptions) {
  OptionsForm form = LoadOptionsForm(folder.Path(), Designed());
  form.fields = {"pop.example.net", "smtp.example.net", "jane", "secret", "jane@example.net",
                 false,             true,               false,  true,     false};
  form.sample.fontSize = 12;
  MailOptions mailOptions;
  ASSERT_TRUE(SaveOptions(folder.Path(), form, mailOptions, dialogs));
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(mailOptions, form.fields);
  EXPECT_EQ(ListAccounts(folder.Path()), Texts{"pop.example.net"});
  const OptionsForm reopened = LoadOptionsForm(folder.Path());
  EXPECT_EQ(reopened.fields, form.fields);
  EXPECT_EQ(reopened.sample, form.sample);
}

TEST_F(OptionsFormTest, ValuesTheFileCannotHoldAreRefusedWritingNothing) {
  for (const std::string bad : {"se,cret", "line\r\nbreak", " leading", "\"quoted"}) {
    SCOPED_TRACE(bad);
    dialogs.shown.clear();
    OptionsForm form;
    form.fields.Password = bad;
    MailOptions mailOptions;
    mailOptions.UserName = "unchanged";
    EXPECT_FALSE(SaveOptions(folder.Path(), form, mailOptions, dialogs));
    EXPECT_EQ(dialogs.ShownTexts(),
              Texts{"Password cannot hold a comma or a line break, nor begin with a blank or a double quote."});
    EXPECT_EQ(mailOptions.UserName, "unchanged");
    EXPECT_FALSE(std::filesystem::exists(folder / "email.opt"));
    EXPECT_FALSE(std::filesystem::exists(folder / "accounts.dat"));
  }
}

TEST_F(OptionsFormTest, PickingAnAccountFillsTheFieldsButNotTheLook) {
  MailOptions stored{"pop.example.net", "smtp.example.net", "jane", "secret", "jane@example.net",
                     true,              false,              true,   false,    true};
  StoreAccount(folder.Path(), stored);
  OptionsForm form = LoadOptionsForm(folder.Path(), Designed());
  EXPECT_EQ(form.accountNames, Texts{"pop.example.net"});
  EXPECT_TRUE(PickAccount(folder.Path(), "pop.example.net", form));
  EXPECT_EQ(form.fields, stored);
  EXPECT_EQ(form.sample, Designed().sample);
  EXPECT_FALSE(PickAccount(folder.Path(), "POP.example.net", form));
  EXPECT_EQ(form.fields, stored);
}

TEST_F(OptionsFormTest, AddressFollowsTheUserNameOnlyWithADottedServer) {
  struct Case {
    const char* popServer;
    const char* userName;
    const char* currentAddress;
    const char* address;
  };
  const Case cases[] = {
      {"pop.mail.example.net", "jane", "old@x.y", "jane@mail.example.net"},
      {"localhost", "jane", "old@x.y", "old@x.y"},
      {"", "jane", "", ""},
      // A user name that already is an address stays the address, whatever
      // the server (a numbered one gave "carol@example.test@0.0.2:43019").
      {"127.0.0.2:43019", "carol@example.test", "", "carol@example.test"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.popServer) + " / " + c.userName);
    EXPECT_EQ(EmailAddressForUserName(c.popServer, c.userName, c.currentAddress), c.address);
  }
}

}  // namespace
}  // namespace ostrel::settings
