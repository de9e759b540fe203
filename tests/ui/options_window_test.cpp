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
  Open<ui::OptionsDialog>(window->optionsAction, [](auto& options) {
    EXPECT_EQ(options.windowTitle(), "Email Options");
    EXPECT_THAT(
        (std::vector{options.popServerList->currentText(), options.smtpServerEdit->text(), options.userNameEdit->text(),
                     options.passwordEdit->text(), options.emailAddressEdit->text()}),
        ElementsAre("pop.example.org", "smtp.example.org", "me", "secret", "me@example.org"));
    EXPECT_EQ(
        options.passwordEdit->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, options.passwordEdit),
        '*');
    EXPECT_EQ(options.passwordEdit->echoMode(), QLineEdit::Password);
    EXPECT_THAT((std::vector{options.deleteOnServerCheck->isChecked(), options.checkOnStartupCheck->isChecked(),
                             options.emptyTrashCheck->isChecked(), options.signaturesCheck->isChecked(),
                             options.filtersCheck->isChecked()}),
                ElementsAre(true, false, true, false, true));
    EXPECT_EQ(options.sampleTextEdit->text(), "This is a test.");
    EXPECT_EQ(options.sampleTextEdit->font().family(), "DejaVu Sans Mono");
    EXPECT_EQ(options.sampleTextEdit->palette().color(QPalette::Text), QColor(0, 0, 0x80));

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
    EXPECT_EQ(options.smtpServerEdit->text(), "smtp.work.example");
    options.saveButton->click();
  });
  EXPECT_EQ(window->Program().MailOptions, work);
}

// Typing, and only typing, asks the form for the address; a refused value
// is shown and keeps the window open; the server notes follow the servers.
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

    EXPECT_EQ(options.popSecurityLabel->text(), "STLS required, port 110");
    options.popServerList->setEditText("pop3s://pop.example.org");
    EXPECT_EQ(options.popSecurityLabel->text(), "TLS from the start, port 995");
    EXPECT_FALSE(options.smtpSecurityLabel->property("warning").toBool());
    QTest::keyClicks(options.smtpServerEdit, "/x");
    EXPECT_TRUE(options.smtpSecurityLabel->text().startsWith("Will not be accepted: "));
    EXPECT_TRUE(options.smtpSecurityLabel->property("warning").toBool());

  });
  EXPECT_EQ(Saved(), StoredSettings());
}

TEST_F(OptionsWindowTest, ChosenColoursAndFontAreSavedAndACancelledChooserChangesNothing) {
  Start();
  desktop.chosenColors = {QColor(0x12, 0x34, 0x56), std::nullopt, QColor(Qt::black)};
  desktop.chosenFonts = {std::nullopt, QFont("DejaVu Serif", 14)};
  Open<ui::OptionsDialog>(window->optionsAction, [](auto& options) {
    options.backgroundButton->click();  // background
    options.foregroundButton->click();  // cancelled
    EXPECT_EQ(options.sampleTextEdit->palette().color(QPalette::Text), QColor(0, 0, 0x80));
    options.foregroundButton->click();  // black text
    options.fontButton->click();        // cancelled
    EXPECT_EQ(options.sampleTextEdit->font().family(), "DejaVu Sans Mono");
    options.fontButton->click();
    EXPECT_EQ(options.sampleTextEdit->font().family(), "DejaVu Serif");
    options.saveButton->click();
  });
  const auto saved = Saved();
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->look, (settings::TextLook{"DejaVu Serif", 14, 0x563412, 0}));
  EXPECT_EQ(window->messagePane->palette().color(QPalette::Text), QColor(Qt::black));
  EXPECT_EQ(window->messagePane->font().pointSizeF(), 14.0);
}

}  // namespace
}  // namespace ostrel::testing
