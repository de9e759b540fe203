// The options window, opened from File/Options/Accounts.

#include "settings/accounts.h"
#include "settings/mail_options.h"
#include "ui/frm_options.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

settings::OptionsFile StoredSettings() {
  settings::OptionsFile file;
  file.options = {"pop.example.org", "smtp.example.org", "me", "secret", "me@example.org",
                  true, false, true, false, true};
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

TEST_F(OptionsWindowTest, LoadsTheSettingsAndSaveWritesThemBackAndRestylesTheMessageText) {
  settings::StoreAccount(store.Folder(), StoredSettings().options);
  Start();
  Open<ui::frmOptions>(window->fleopt, [](auto& options) {
    EXPECT_EQ(options.windowTitle(), "Email Options");
    EXPECT_EQ(options.Combo1->count(), 1);
    const std::vector<QString> texts{options.Combo1->currentText(), options.Text1->text(), options.Text2->text(),
                                     options.Text3->text(), options.Text4->text()};
    EXPECT_THAT(texts, ElementsAre("pop.example.org", "smtp.example.org", "me", "secret", "me@example.org"));
    EXPECT_EQ(options.Text3->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, options.Text3),
              '*');
    EXPECT_EQ(options.Text3->echoMode(), QLineEdit::Password);
    const std::vector<bool> ticks{options.Check1->isChecked(), options.Check2->isChecked(), options.Check3->isChecked(),
                                  options.Check4->isChecked(), options.Check5->isChecked()};
    EXPECT_THAT(ticks, ElementsAre(true, false, true, false, true));
    EXPECT_EQ(options.Text5->text(), "This is a test.");
    EXPECT_EQ(options.Text5->font().family(), "DejaVu Sans Mono");
    EXPECT_EQ(options.Text5->palette().color(QPalette::Text), QColor(0, 0, 0x80));

    options.Text1->setText("mail.example.org");
    options.Check2->click();
    options.Command4->click();
    EXPECT_FALSE(options.isVisible());
  });
  settings::OptionsFile expected = StoredSettings();
  expected.options.SmtpServer = "mail.example.org";
  expected.options.CheckMailOnStartup = true;
  EXPECT_EQ(Saved(), expected);
  EXPECT_EQ(window->Program().MailOptions, expected.options);
  EXPECT_EQ(settings::FindAccount(store.Folder(), "pop.example.org"), expected.options);
}

TEST_F(OptionsWindowTest, WithoutSettingsTheBoxesAreEmptyAndCancelWritesNothing) {
  std::filesystem::remove(store / "email.opt");
  Start();
  EXPECT_THAT(dialogs.ShownTexts(),
              ElementsAre("Setup has not been performed.  Click File/Options and define your parameters."));
  Open<ui::frmOptions>(window->fleopt, [](auto& options) {
    EXPECT_EQ(options.Combo1->count(), 0);
    EXPECT_EQ(options.Combo1->currentText(), "");
    for (QLineEdit* box : {options.Text1, options.Text2, options.Text3, options.Text4}) EXPECT_EQ(box->text(), "");
    options.Text1->setText("smtp.example.org");
    options.Command5->click();
  });
  EXPECT_EQ(ReadBytes(store / "email.opt"), "");
  EXPECT_EQ(ReadBytes(store / "accounts.dat"), "");
  EXPECT_EQ(window->Program().MailOptions, settings::MailOptions{});
}

TEST_F(OptionsWindowTest, PickingAnAccountFillsItsFieldsAndSavingMakesItTheActiveOne) {
  const settings::MailOptions work{"pop.work.example", "smtp.work.example", "worker", "pw", "w@work.example",
                                   false, true, false, true, false};
  settings::StoreAccount(store.Folder(), StoredSettings().options);
  settings::StoreAccount(store.Folder(), work);
  Start();
  Open<ui::frmOptions>(window->fleopt, [](auto& options) {
    ASSERT_TRUE(PickFromList(*options.Combo1, "pop.work.example"));
    EXPECT_EQ(options.Text1->text(), "smtp.work.example");
    EXPECT_TRUE(options.Check2->isChecked());
    options.Command4->click();
  });
  const auto saved = Saved();
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->options, work);
  EXPECT_EQ(saved->look, StoredSettings().look);
}

TEST_F(OptionsWindowTest, TypingUpdatesTheAddressAndTheServerNotesAndAValueTheFileCannotHoldIsRefused) {
  Start();
  const std::string before = ReadBytes(store / "email.opt");
  Open<ui::frmOptions>(window->fleopt, [this](auto& options) {
    // Loading did not count as typing: the stored address stays.
    EXPECT_EQ(options.Text4->text(), "me@example.org");
    options.Text2->clear();
    QTest::keyClicks(options.Text2, "ann");
    EXPECT_EQ(options.Text4->text(), "ann@example.org");
    // A user name that is an address already is the address, whatever the server.
    options.Combo1->setEditText("127.0.0.2:43019");
    options.Text2->clear();
    QTest::keyClicks(options.Text2, "carol@example.test");
    EXPECT_EQ(options.Text4->text(), "carol@example.test");
    options.Combo1->setEditText("pop.example.org");

    options.Text2->setText("me,too");
    options.Command4->click();
    EXPECT_THAT(dialogs.ShownTexts(),
                ElementsAre("Username cannot hold a comma or a line break, nor begin with a blank or a double quote."));
    EXPECT_TRUE(options.isVisible());

    EXPECT_EQ(options.lbPopSecurity->text(), "STLS required, port 110");
    EXPECT_EQ(options.lbSmtpSecurity->text(), "STARTTLS required, port 587");
    options.Combo1->setEditText("pop3s://pop.example.org");
    EXPECT_EQ(options.lbPopSecurity->text(), "TLS from the start, port 995");
    EXPECT_FALSE(options.lbPopSecurity->property("warning").toBool());
    QTest::keyClicks(options.Text1, "/x");
    EXPECT_TRUE(options.lbSmtpSecurity->text().startsWith("Will not be accepted: "));
    EXPECT_TRUE(options.lbSmtpSecurity->property("warning").toBool());
  });
  EXPECT_EQ(ReadBytes(store / "email.opt"), before);
  EXPECT_EQ(ReadBytes(store / "accounts.dat"), "");
}

TEST_F(OptionsWindowTest, ChosenColoursAndFontAreSavedAndACancelledChooserChangesNothing) {
  Start();
  desktop.chosenColors = {QColor(0x12, 0x34, 0x56), std::nullopt, QColor(Qt::black)};
  desktop.chosenFonts = {std::nullopt, QFont("DejaVu Serif", 14)};
  Open<ui::frmOptions>(window->fleopt, [](auto& options) {
    options.Command1->click();  // background
    options.Command2->click();  // cancelled
    EXPECT_EQ(options.Text5->palette().color(QPalette::Text), QColor(0, 0, 0x80));
    options.Command2->click();  // black text
    options.Command3->click();  // cancelled
    EXPECT_EQ(options.Text5->font().family(), "DejaVu Sans Mono");
    options.Command3->click();
    EXPECT_EQ(options.Text5->font().family(), "DejaVu Serif");
    EXPECT_EQ(options.Text5->palette().color(QPalette::Base), QColor(0x12, 0x34, 0x56));
    options.Command4->click();
  });
  const auto saved = Saved();
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->look, (settings::TextLook{"DejaVu Serif", 14, 0x563412, 0}));
  EXPECT_EQ(window->Text1->palette().color(QPalette::Text), QColor(Qt::black));
  EXPECT_EQ(window->Text1->font().pointSizeF(), 14.0);
}

}  // namespace
}  // namespace ostrel::testing
