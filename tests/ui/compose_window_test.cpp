// The compose window as a person uses it: opened from the main window for a
// new message, a reply and a forward; recipients, attachments, the key
// list, Encrypt and Decrypt with the signature tick; and Send through the
// sending window with a stand-in SMTP control. The texts of each form and
// the questions before a send are the compose flow's, tested beside it.

#include "ui/compose_window.h"

#include <atomic>

#include "mail/compose.h"
#include "settings/address_book.h"
#include "settings/mail_options.h"
#include "store/installation.h"
#include "transport/fake_smtp_control.h"
#include "ui/sending_dialog.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

constexpr const char* kSignatureText = "\r\n\r\nAlice\r\nExample Ltd\r\n";

QString Shown(const std::string& text) { return QString::fromStdString(text).replace("\r\n", "\n"); }

// A control that hands its events to the test, which raises them later as a
// slow server would.
class HeldSmtpControl : public transport::SmtpControl {
 public:
  HeldSmtpControl(transport::SmtpEvents& held, std::atomic<bool>& started) : held_(held), started_(started) {}
  void Send() override {
    held_ = events_;
    started_ = true;
  }

 private:
  transport::SmtpEvents& held_;
  std::atomic<bool>& started_;
};

class NewMsgWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    WriteBytes(store / "opt.dne", "Done\r\n");
    settings::OptionsFile options;
    options.options = {"pop.example.org", "smtp.example.org", "", "", "alice@example.org", false, false, false, true,
                       false};
    settings::WriteOptions(store.Folder(), options);
  }

  // The compose window over the main window's installation, sending with
  // stand-in controls that fail while failure holds a text.
  std::unique_ptr<ui::ComposeWindow> Compose() {
    window->Program().Compose.ComposeMode = store::ComposeMode::New;
    return std::make_unique<ui::ComposeWindow>(window->Program(), window->PaneText(), dialogs, desktop, nullptr,
                                               [this] {
                                                 auto control = std::make_unique<transport::FakeSmtpControl>();
                                                 if (!failure.empty()) control->FailWith(failure);
                                                 return control;
                                               });
  }

  // Presses Send and works the sending window: waits until it closes itself,
  // and keeps what its control was asked to send and how it ended.
  void Send(ui::ComposeWindow& compose) {
    OnNext<ui::SendingDialog>([this](auto& sending) {
      EXPECT_TRUE(QTest::qWaitFor([&sending] { return !sending.isVisible(); }, 10000));
      const auto* control = dynamic_cast<transport::FakeSmtpControl*>(sending.smtpControl);
      ASSERT_NE(control, nullptr);
      sent.insert(sent.end(), control->sent.begin(), control->sent.end());
      outcome = sending.Outcome();
    });
    compose.sendButton->click();
  }

  std::string failure;
  std::vector<transport::SentMail> sent;
  std::optional<mail::SendOutcome> outcome;
};

// Where the signature goes and what the cipher buttons make of the text are
// the compose flow's; here the window shows the flow's text, heeds the
// signature box, and loads the key picked from its own list.
TEST_F(NewMsgWindowTest, FromTheMenuWithAKeyTheCipherButtonsShowTheFlowsTextAndAPickedKeyIsLoaded) {
  WriteDefaultKey(store.Folder());
  WriteBytes(store / "sig.cur", "Alice\r\nExample Ltd\r\n");
  Start();
  OnNext<ui::ComposeWindow>([this](auto& compose) {
    EXPECT_EQ(compose.messageEdit->toPlainText(), Shown(kSignatureText));
    EXPECT_EQ(compose.keyList->currentText(), kTestKeyName);
    compose.signatureCheck->setChecked(false);
    compose.messageEdit->setPlainText("Short\nnote");
    compose.encryptButton->click();
    EXPECT_EQ(compose.messageEdit->toPlainText(), Shown(HexCipherText("Short\r\nnote")))
        << "the signature, though the option adds it, stays out";
    compose.decryptButton->click();
    EXPECT_EQ(compose.messageEdit->toPlainText(), "Short\nnote");

    ASSERT_TRUE(PickFromList(*compose.keyList, "Other"));
    EXPECT_EQ(ReadBytes(store / "key.key"), "other key\r\n");
    EXPECT_EQ(compose.statusLabel->text(), "Key is now loaded.");
  });
  window->newMessageAction->trigger();
  EXPECT_THAT(desktop.opened, ElementsAre("ComposeWindow"));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(NewMsgWindowTest, WithoutAKeyTheCipherButtonsAreOffAndTheWindowSaysHowToLoadOne) {
  Start();
  auto compose = Compose();
  EXPECT_FALSE(compose->encryptButton->isEnabled());
  EXPECT_FALSE(compose->decryptButton->isEnabled());
  EXPECT_EQ(compose->statusLabel->text(),
            "No key is loaded, so Encrypt and Decrypt are off.  Choose a key under \"Using Key\" in the main "
            "window, or add one in File/Key Management.");
}

// The texts of each form are the compose flow's; here the popup opens the
// form for the message shown.
TEST_F(NewMsgWindowTest, ReplyAndForwardFromThePopupShowTheFormTheFlowOpens) {
  store.AddMessage("In", "RE:Plans", "First line\r\nSecond line", std::nullopt, "bob@example.org");
  Start();
  LeftClickRow(0);
  OnNext<ui::ComposeWindow>([](auto& compose) { EXPECT_EQ(compose.subjectEdit->text(), "RE:RE:Plans"); });
  RightClickRow(0, "replyRowAction");
  OnNext<ui::ComposeWindow>([](auto& compose) { EXPECT_EQ(compose.subjectEdit->text(), "Fwd:RE:Plans"); });
  RightClickRow(0, "forwardRowAction");
  EXPECT_EQ(desktop.opened.size(), 2u);
}

TEST_F(NewMsgWindowTest, NamesPickedFromTheBookOrOfferedWhileTypingJoinTheRecipients) {
  settings::AddAddress(store.Folder(), "Bob", "bob@example.org", dialogs);
  settings::AddAddress(store.Folder(), "Carol", "carol@example.net", dialogs);
  Start();
  auto compose = Compose();
  ASSERT_TRUE(PickFromList(*compose->addressList, "Carol"));
  ASSERT_TRUE(PickFromList(*compose->addressList, "Bob"));
  EXPECT_EQ(compose->toEdit->text(), "carol@example.net;bob@example.org");

  compose->show();
  compose->toEdit->setFocus();
  compose->toEdit->setText("bob@example.org");
  compose->toEdit->end(false);
  QTest::keyClicks(compose->toEdit, ";car");
  QAbstractItemView* popup = compose->toCompleter->popup();
  ASSERT_TRUE(popup->isVisible());
  ASSERT_EQ(popup->model()->rowCount(), 1);
  EXPECT_EQ(popup->model()->index(0, 0).data().toString(), "Carol <carol@example.net>");
  popup->setCurrentIndex(popup->model()->index(0, 0));
  QTest::keyClick(popup, Qt::Key_Return);
  EXPECT_EQ(compose->toEdit->text(), "bob@example.org;carol@example.net");
}

// Dropping files on the window is a second way to the same list, seen at once
// in the attachments box.
TEST_F(NewMsgWindowTest, ChosenFilesJoinTheAttachmentsAndACancelledChooserAddsNothing) {
  const auto one = store / "Save" / "one.bin", two = store / "Save" / "two words.txt";
  for (const auto& file : {one, two}) WriteBytes(file, "x");
  Start();
  auto compose = Compose();
  desktop.chosenFiles = {one, std::nullopt, two};
  for (int press = 0; press < 3; ++press) compose->selectButton->click();
  EXPECT_EQ(compose->attachmentsEdit->text().toStdString(), one.string() + ";" + two.string());
}

// Whether a message goes, the texts shown about it and what an encrypted
// message sends are the compose and sending flows'; here the window opens the
// sending window only when the flow lets the message go, clears the queue
// after it, keeps the text over a failure, and shows the flow's answer in its
// status line.
TEST_F(NewMsgWindowTest, TheSendingWindowOpensOnlyWhenTheFlowLetsTheMessageGoAndItsAnswerIsShown) {
  Start();
  auto compose = Compose();
  compose->sendButton->click();
  EXPECT_TRUE(desktop.opened.empty()) << "no recipient";
  compose->toEdit->setText("bob@example.org");
  compose->messageEdit->setPlainText("Hello\nBob");
  failure = "The mail server could not be reached.";
  Send(*compose);
  ASSERT_TRUE(outcome.has_value());
  EXPECT_FALSE(outcome->Ok());
  EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("Missing To Field.", failure));
  EXPECT_EQ(compose->messageEdit->toPlainText(), "Hello\nBob");
  EXPECT_FALSE(std::filesystem::exists(store / "out.dat")) << "the queue goes after every send";
  EXPECT_TRUE(compose->statusLabel->text().isEmpty());

  failure.clear();
  Send(*compose);
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[1].mail.text, "Hello\r\nBob");
  EXPECT_EQ(compose->statusLabel->text(), "The message was sent to bob@example.org.");
  EXPECT_TRUE(dialogs.asked.empty()) << "a failed message was never sent";

  dialogs.answers = {base::Answer::No};
  compose->sendButton->click();
  EXPECT_EQ(desktop.opened.size(), 2u);
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].text, mail::kSendAgain);
}

TEST_F(NewMsgWindowTest, TheSendingWindowWaitsForTheControlAndOnlyItsFirstEventCounts) {
  Start();
  store::Installation& program = window->Program();
  program.Compose.ComposeMode = store::ComposeMode::New;
  mail::ComposeForm form = mail::OpenCompose(program, "");
  form.to = "bob@example.org";
  ASSERT_TRUE(mail::QueueMessage(program, form, dialogs));
  program.Compose.MessageEncrypted = true;
  transport::SmtpEvents held;
  std::atomic<bool> started{false};
  auto sending =
      std::make_unique<ui::SendingDialog>(program, dialogs, nullptr, std::make_unique<HeldSmtpControl>(held, started));
  sending->show();
  ASSERT_TRUE(QTest::qWaitFor([&started] { return started.load(); }, 5000));

  QTest::keyClick(sending.get(), Qt::Key_Escape);
  sending->close();
  EXPECT_TRUE(sending->isVisible()) << "neither Escape nor the close box abandons a send";
  held.error("The connection was lost.");
  EXPECT_TRUE(QTest::qWaitFor([&sending] { return !sending->isVisible(); }, 5000));
  // A completion after the error, and events after the window has gone,
  // change nothing: the error left MessageEncrypted as it was.
  held.completion();
  QCoreApplication::processEvents();
  sending.reset();
  held.completion();
  held.error("too late");
  QCoreApplication::processEvents();
  EXPECT_EQ(dialogs.ShownTexts(), std::vector<std::string>{"The connection was lost."});
  EXPECT_TRUE(program.Compose.MessageEncrypted);
}

}  // namespace
}  // namespace ostrel::testing
