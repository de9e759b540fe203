// The options window, opened from File/Options/Accounts. What Save writes,
// which values are refused and which address follows which user name are
// the options form's, tested beside it; here each control shows and hands
// over its field, and the window shows what comes back.

#include "settings/accounts.h"
#include "settings/mail_options.h"
#include "ui/options_dialog.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

settings::OptionsFile StoredSettings() {
  settings::OptionsFile file;
  file.options = {
      "pop.example.org", "smtp.example.org", "me", "secret", "me@example.org", true, false, true, false, true};
  file.look = {"DejaVu Sans Mono", 11, 0x00FFFFFF, 0x00800000};
  return file;
}

class OptionsWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    WriteBytes(store / "opt.dne", "Done\r\n");
    settings::WriteOptions(store.Folder(), StoredSettings());
  }

  std::optional<settings::OptionsFile> Saved() const { return settings::ReadOptions(store.Folder()); }
};

TEST_F(OptionsWindowTest, ShowsTheSettingsAndSaveWritesTheEditedOnesBackButCancelDoesNot) {
  Start();
  Open<ui::OptionsDialog>(window->optionsAction, [](auto& options) {
    options.smtpServerEdit->setText("smtp.other.example");
    options.cancelButton->click();
  });
  EXPECT_EQ(Saved(), StoredSettings());
  // Every field shown is handed back: the saved file differs only by the edits.
  Open<ui::OptionsDialog>(window->optionsAction, [](auto& options) {
    EXPECT_EQ(options.passwordEdit->echoMode(), QLineEdit::Password);
    options.smtpServerEdit->setText("mail.example.org");
    options.checkOnStartupCheck->click();
    options.saveButton->click();
    EXPECT_FALSE(options.isVisible());
  });
  settings::OptionsFile expected = StoredSettings();
  expected.options.SmtpServer = "mail.example.org";
  expected.options.CheckMailOnStartup = true;
  EXPECT_EQ(Saved(), expected);
  EXPECT_EQ(window->Program().MailOptions, expected.options);
}

TEST_F(OptionsWindowTest, PickingAnAccountFillsItsFieldsAndSavingMakesItTheActiveOne) {
  const settings::MailOptions work{
      "pop.work.example", "smtp.work.example", "worker", "pw", "w@work.example", false, true, false, true, false};
  settings::StoreAccount(store.Folder(), StoredSettings().options);
  settings::StoreAccount(store.Folder(), work);
  Start();
  Open<ui::OptionsDialog>(window->optionsAction, [](auto& options) {
    ASSERT_TRUE(PickFromList(*options.popServerList, "pop.work.example"));
    options.saveButton->click();
  });
  EXPECT_EQ(window->Program().MailOptions, work);
}

// Typing, and only typing, asks the form for the address; a refused value
// is shown and keeps the window open.
TEST_F(OptionsWindowTest, TypingReachesTheFormAndARefusedValueKeepsTheWindowOpen) {
  Start();
  Open<ui::OptionsDialog>(window->optionsAction, [this](auto& options) {
    EXPECT_EQ(options.emailAddressEdit->text(), "me@example.org");
    options.userNameEdit->setText("me,too");
    options.saveButton->click();
    EXPECT_THAT(dialogs.ShownTexts(),
                ElementsAre("Username cannot hold a comma or a line break, nor begin with a blank or a double quote."));
    EXPECT_TRUE(options.isVisible());
    options.userNameEdit->clear();
    QTest::keyClicks(options.userNameEdit, "ann");
    EXPECT_EQ(options.emailAddressEdit->text(), "ann@example.org");
  });
  EXPECT_EQ(Saved(), StoredSettings());
}

}  // namespace
}  // namespace ostrel::testing
