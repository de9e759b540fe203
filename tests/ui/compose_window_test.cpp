// The compose window as a person uses it: opened from the main window for a
// new message, a reply and a forward; recipients, attachments, the key
// list, Encrypt and Decrypt with the signature rules; and Send through the
// sending window with a stand-in SMTP control.

#include "ui/compose_window.h"

#include <atomic>

#include "base/ansi_text.h"
#include "keys/key_store.h"
#include "mail/compose.h"
#include "settings/address_book.h"
#include "store/installation.h"
#include "store/mail_box.h"
#include "transport/fake_smtp_control.h"
#include "ui/sending_dialog.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

constexpr const char* kSignatureFile = "Alice\r\nExample Ltd\r\n";
constexpr const char* kSignatureText = "\r\n\r\nAlice\r\nExample Ltd\r\n";

QString Shown(const std::string& text) {
  QString lines = QString::fromStdString(text);
  lines.replace("\r\n", "\n");
  return lines;
}

// Drops the files on a widget of the window the way a file manager does.
bool DropFiles(QWidget* target, const QList<QUrl>& urls) {
  QMimeData data;
  data.setUrls(urls);
  const QPoint at(5, 5);
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &drop);
  return drop.isAccepted();
}

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
    options.options.PopServer = "pop.example.org";
    options.options.SmtpServer = "smtp.example.org";
    options.options.EmailAddress = "alice@example.org";
    options.options.UseSignatures = true;
    settings::WriteOptions(store.Folder(), options);
  }

  // The compose window over the main window's installation, sending with
  // stand-in controls that fail while failure holds a text.
  std::unique_ptr<ui::ComposeWindow> Compose(const std::string& mode) {
    window->Program().ComposeMode = mode;
    return std::make_unique<ui::ComposeWindow>(window->Program(), window->PaneText(), dialogs, desktop, nullptr,
                                               [this] {
                                                 auto control = std::make_unique<transport::FakeSmtpControl>();
                                                 if (!failure.empty()) control->FailWith(failure);
                                                 return control;
                                               });
  }

  // Works the next sending window: waits until it closes itself, and keeps
  // what its control was asked to send and what the bar and label showed.
  void ExpectSendingWindow() {
    OnNext<ui::SendingDialog>([this](auto& sending) {
      QObject::connect(sending.progressBar, &QProgressBar::valueChanged,
                       [this](int value) { progress.push_back(value); });
      EXPECT_TRUE(QTest::qWaitFor([&sending] { return !sending.isVisible(); }, 10000));
      const auto* control = dynamic_cast<transport::FakeSmtpControl*>(sending.smtpControl);
      ASSERT_NE(control, nullptr);
      sent.insert(sent.end(), control->sent.begin(), control->sent.end());
      lastLabel = sending.statusLabel->toolTip();
      barFull = sending.progressBar->value() == sending.progressBar->maximum();
      outcome = sending.Outcome();
    });
  }

  std::string failure;
  std::vector<transport::SentMail> sent;
  std::vector<int> progress;
  QString lastLabel;
  bool barFull = false;
  std::optional<mail::SendOutcome> outcome;
};

TEST_F(NewMsgWindowTest, NewMessageFromTheMenuShowsTheCurrentKey) {
  WriteDefaultKey(store.Folder());
  Start();
  OnNext<ui::ComposeWindow>([](auto& compose) {
    EXPECT_TRUE(compose.messageEdit->toPlainText().isEmpty());
    EXPECT_TRUE(compose.signatureCheck->isHidden());
    EXPECT_TRUE(compose.encryptButton->isEnabled());
    EXPECT_TRUE(compose.decryptButton->isEnabled());
    EXPECT_EQ(compose.keyList->currentText(), kTestKeyName);
    EXPECT_EQ(compose.keyList->count(), 2);
    // With no address book the name list stays out of the way.
    EXPECT_TRUE(compose.addressList->isHidden());
  });
  window->newMessageAction->trigger();
  EXPECT_THAT(desktop.titles, ElementsAre("New Message"));
}

TEST_F(NewMsgWindowTest, WithNoKeyLoadedTheWindowSaysHowToLoadOne) {
  Start();
  auto compose = Compose("New");
  EXPECT_FALSE(compose->encryptButton->isEnabled());
  EXPECT_TRUE(compose->keyList->isHidden());
  EXPECT_FALSE(compose->statusLabel->isHidden());
  EXPECT_EQ(compose->statusLabel->text(),
            "No key is loaded, so Encrypt and Decrypt are off.  Choose a key under \"Using Key\" in the main "
            "window, or add one in File/Key Management.");
}

TEST_F(NewMsgWindowTest, TheKeyListShowsTheSameNameAsTheMainWindowsTheLastHoldingTheKey) {
  keys::WriteKeys(store.Folder(),
                  {{"First", kTestKey, true}, {"Other", "other key", false}, {"Last", kTestKey, false}});
  Start();
  EXPECT_EQ(window->keyList->currentText(), "Last");
  auto compose = Compose("New");
  EXPECT_EQ(compose->keyList->currentText(), "Last");
  EXPECT_TRUE(compose->statusLabel->text().isEmpty());
}

TEST_F(NewMsgWindowTest, ReplyAndForwardFromThePopupShowTheFormTheFlowOpens) {
  WriteBytes(store / "sig.cur", kSignatureFile);
  store.AddMessage("In", "RE:Plans", "First line\r\nSecond line", std::nullopt, "bob@example.org");
  Start();
  LeftClickRow(0);
  OnNext<ui::ComposeWindow>([](auto& compose) {
    EXPECT_EQ(compose.toEdit->text(), "bob@example.org");
    EXPECT_EQ(compose.subjectEdit->text(), "RE:RE:Plans");
    EXPECT_EQ(compose.messageEdit->toPlainText(),
              Shown(std::string("<First line\r\n<Second line\r\n<") + kSignatureText));
    EXPECT_FALSE(compose.signatureCheck->isHidden());
    EXPECT_TRUE(compose.signatureCheck->isChecked());
  });
  OnNext<ui::ComposeWindow>([](auto& compose) {
    EXPECT_TRUE(compose.toEdit->text().isEmpty());
    EXPECT_EQ(compose.subjectEdit->text(), "Fwd:RE:Plans");
    EXPECT_EQ(compose.messageEdit->toPlainText(), Shown(std::string("First line\r\nSecond line\r\n") + kSignatureText));
  });
  RightClickRow(0, "replyRowAction");
  RightClickRow(0, "forwardRowAction");
  EXPECT_THAT(desktop.titles, ElementsAre("Reply To Message", "Forward Message"));
  EXPECT_EQ(window->Program().ComposeMode, "Forward");
}

TEST_F(NewMsgWindowTest, PickingTwoNamesBuildsTheRecipientListAndTypingCompletesFromTheBook) {
  settings::AddAddress(store.Folder(), "Bob", "bob@example.org", dialogs);
  settings::AddAddress(store.Folder(), "Carol", "carol@example.net", dialogs);
  dialogs.shown.clear();
  Start();
  auto compose = Compose("New");
  EXPECT_EQ(compose->addressList->currentText(), "Bob");
  ASSERT_TRUE(PickFromList(*compose->addressList, "Carol"));
  ASSERT_TRUE(PickFromList(*compose->addressList, "Bob"));
  EXPECT_EQ(compose->toEdit->text(), "carol@example.net;bob@example.org");

  // A third recipient typed by part of the name and taken from the list.
  compose->show();
  compose->toEdit->setFocus();
  compose->toEdit->end(false);
  QTest::keyClicks(compose->toEdit, ";car");
  QAbstractItemView* popup = compose->toCompleter->popup();
  ASSERT_TRUE(popup->isVisible());
  ASSERT_EQ(popup->model()->rowCount(), 1);
  EXPECT_EQ(popup->model()->index(0, 0).data().toString(), "Carol <carol@example.net>");
  popup->setCurrentIndex(popup->model()->index(0, 0));
  QTest::keyClick(popup, Qt::Key_Return);
  EXPECT_EQ(compose->toEdit->text(), "carol@example.net;bob@example.org;carol@example.net");

  // An address matches as well as a name; nothing matching shows no list.
  compose->toEdit->clear();
  QTest::keyClicks(compose->toEdit, "example.ORG");
  ASSERT_TRUE(popup->isVisible());
  EXPECT_EQ(popup->model()->rowCount(), 1);
  QTest::keyClick(popup, Qt::Key_Escape);
  QTest::keyClicks(compose->toEdit, ";zz");
  EXPECT_FALSE(popup->isVisible());
}

TEST_F(NewMsgWindowTest, SelectTwiceAndDroppedFilesFillTheAttachmentsBox) {
  WriteBytes(store / "Save" / "one.bin", "1");
  WriteBytes(store / "Save" / "two words.txt", "2");
  WriteBytes(store / "Save" / "three.pdf", "3");
  Start();
  auto compose = Compose("New");
  desktop.chosenFiles.push_back(store / "Save" / "one.bin");
  desktop.chosenFiles.push_back(std::nullopt);
  desktop.chosenFiles.push_back(store / "Save" / "two words.txt");
  compose->selectButton->click();
  compose->selectButton->click();
  compose->selectButton->click();
  const std::string one = (store / "Save" / "one.bin").string();
  const std::string two = (store / "Save" / "two words.txt").string();
  EXPECT_EQ(compose->attachmentsEdit->text().toStdString(), one + ";" + two);

  const std::string three = (store / "Save" / "three.pdf").string();
  EXPECT_TRUE(DropFiles(compose->messageEdit->viewport(), {QUrl::fromLocalFile(QString::fromStdString(three))}));
  EXPECT_EQ(compose->attachmentsEdit->text().toStdString(), one + ";" + two + ";" + three);
  // The file went to the attachments, not into the text.
  EXPECT_TRUE(compose->messageEdit->toPlainText().isEmpty());

  // Folders and web links are not files to attach.
  EXPECT_FALSE(DropFiles(compose.get(), {QUrl::fromLocalFile(QString::fromStdString((store / "Save").string()))}));
  EXPECT_FALSE(DropFiles(compose->attachmentsEdit, {QUrl("https://example.org/a.pdf")}));
  EXPECT_EQ(compose->attachmentsEdit->text().toStdString(), one + ";" + two + ";" + three);
}

TEST_F(NewMsgWindowTest, EncryptAndDecryptFollowTheSignatureTickAndAnotherKeyCanBeChosen) {
  WriteDefaultKey(store.Folder());
  WriteBytes(store / "sig.cur", kSignatureFile);
  Start();
  auto compose = Compose("New");
  compose->messageEdit->setPlainText("Short note");
  compose->encryptButton->click();
  const std::string withSignature = std::string("Short note") + kSignatureText;
  EXPECT_EQ(compose->messageEdit->toPlainText(), Shown(HexCipherText(base::ToAnsi(withSignature))));
  EXPECT_TRUE(window->Program().MessageEncrypted);
  compose->decryptButton->click();
  EXPECT_EQ(compose->messageEdit->toPlainText(), Shown(withSignature));
  EXPECT_FALSE(window->Program().MessageEncrypted);

  compose->signatureCheck->setChecked(false);
  compose->messageEdit->setPlainText("Unsigned");
  compose->encryptButton->click();
  compose->decryptButton->click();
  EXPECT_EQ(compose->messageEdit->toPlainText(), "Unsigned");
  EXPECT_TRUE(dialogs.shown.empty());

  dialogs.statuses.clear();
  ASSERT_TRUE(PickFromList(*compose->keyList, "Other"));
  EXPECT_EQ(ReadBytes(store / "key.key"), "other key\r\n");
  EXPECT_EQ(compose->statusLabel->text(), "Key is now loaded.");
  EXPECT_THAT(dialogs.statuses, ElementsAre("Generating Keyspace...", "Key is now loaded."));
}

TEST_F(NewMsgWindowTest, EncryptedSendShowsProgressClosesOnCompletionAndClearsTheQueue) {
  WriteDefaultKey(store.Folder());
  WriteBytes(store / "sig.cur", kSignatureFile);
  WriteBytes(store / "Save" / "plan.txt", "the plan");
  WriteBytes(store / "Save" / "map.png", std::string(5000, 'm'));
  Start();
  auto compose = Compose("New");
  compose->toEdit->setText("bob@example.org");
  compose->subjectEdit->setText("Plans");
  compose->attachmentsEdit->setText(
      QString::fromStdString((store / "Save" / "plan.txt").string() + ";" + (store / "Save" / "map.png").string()));
  compose->messageEdit->setPlainText("Meet at nine.");
  compose->encryptButton->click();
  const QString hex = compose->messageEdit->toPlainText();
  ExpectSendingWindow();
  compose->sendButton->click();

  EXPECT_THAT(desktop.opened, ElementsAre("SendingDialog"));
  ASSERT_TRUE(outcome.has_value());
  EXPECT_TRUE(outcome->Ok()) << outcome->Reason();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].mail.recipient, "bob@example.org");
  EXPECT_EQ(sent[0].mail.subject, "Plans");
  // The window shows the cipher text with the plain signature block added at Send.
  EXPECT_EQ(compose->messageEdit->toPlainText(), hex + "\n\n" + Shown(kSignatureText));

  // Two attachments enciphered, then the upload, then full.
  EXPECT_THAT(progress, ElementsAre(200, 400, 1000));
  EXPECT_TRUE(barFull);
  EXPECT_EQ(lastLabel.toStdString(), "Encrypting Attachment " + (store / "Save" / "map.png").string());

  EXPECT_FALSE(window->Program().MessageEncrypted);
  EXPECT_FALSE(std::filesystem::exists(store / "out.dat"));
  EXPECT_TRUE(std::filesystem::is_empty(store / "Enc"));
  EXPECT_EQ(store.Subjects("Sent"), std::vector<std::string>{"Plans"});
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(NewMsgWindowTest, PlainSendRefusesAnEmptyToShowsAFailureKeepsTheSentCopyAndSendsAgain) {
  Start();
  auto compose = Compose("New");
  // No key is loaded: the cipher buttons and the key list are off.
  EXPECT_FALSE(compose->encryptButton->isEnabled());
  EXPECT_FALSE(compose->decryptButton->isEnabled());
  EXPECT_TRUE(compose->keyList->isHidden());
  EXPECT_TRUE(compose->keyListLabel->isHidden());

  compose->subjectEdit->setText("Twice");
  compose->sendButton->click();
  EXPECT_TRUE(desktop.opened.empty());
  compose->toEdit->setText("bob@example.org");
  compose->messageEdit->setPlainText("Hello\nBob");
  failure = "The mail server could not be reached.";
  ExpectSendingWindow();
  compose->sendButton->click();
  ASSERT_TRUE(outcome.has_value());
  ASSERT_FALSE(outcome->Ok());
  EXPECT_EQ(outcome->Reason(), failure);
  EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("Missing To Field.", failure));
  EXPECT_EQ(lastLabel, "Sending Msg To bob@example.org");
  EXPECT_EQ(store.Subjects("Sent"), std::vector<std::string>{"Twice"});
  EXPECT_EQ(compose->messageEdit->toPlainText(), "Hello\nBob");

  failure.clear();
  ExpectSendingWindow();
  compose->sendButton->click();
  ASSERT_TRUE(outcome.has_value());
  EXPECT_TRUE(outcome->Ok()) << outcome->Reason();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[1].mail.text, "Hello\r\nBob");
  EXPECT_THAT(progress, ElementsAre(1000));
  EXPECT_EQ(ReadBytes(store / "Sent" / "MSG2.txt"), "Hello\r\nBob\r\n");
}

TEST_F(NewMsgWindowTest, ASentMessageSaysSoAndGoesOutAgainOnlyWhenThePersonSaysYes) {
  Start();
  auto compose = Compose("New");
  compose->toEdit->setText("bob@example.org");
  compose->messageEdit->setPlainText("Hello");
  ExpectSendingWindow();
  compose->sendButton->click();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(compose->statusLabel->text(), "The message was sent to bob@example.org.");

  // The same message again: asked first, and No sends nothing.
  dialogs.answers = {base::Answer::No};
  compose->sendButton->click();
  EXPECT_EQ(desktop.opened.size(), 1u);
  dialogs.answers = {base::Answer::Yes};
  ExpectSendingWindow();
  compose->sendButton->click();
  EXPECT_EQ(sent.size(), 2u);
  ASSERT_EQ(dialogs.asked.size(), 2u);
  EXPECT_EQ(dialogs.asked[0].text, mail::kSendAgain);
  EXPECT_EQ(dialogs.asked[0].buttons, base::Buttons::YesNo);

  // A changed message goes without a question; a failed one is not "sent".
  compose->subjectEdit->setText("Hello again");
  failure = "The mail server could not be reached.";
  ExpectSendingWindow();
  compose->sendButton->click();
  failure.clear();
  ExpectSendingWindow();
  compose->sendButton->click();
  EXPECT_EQ(sent.size(), 4u);
  EXPECT_EQ(dialogs.asked.size(), 2u);
  EXPECT_THAT(store.Subjects("Sent"), ElementsAre("", "", "Hello again", "Hello again"));
}

TEST_F(NewMsgWindowTest, WithAKeyLoadedPlainTextGoesOutOnlyAfterTheOneQuestionIsAnsweredYes) {
  WriteDefaultKey(store.Folder());
  Start();
  auto compose = Compose("New");
  compose->toEdit->setText("bob@example.org");
  compose->messageEdit->setPlainText("Not secret");
  dialogs.answers = {base::Answer::No};
  compose->sendButton->click();
  EXPECT_TRUE(desktop.opened.empty());
  EXPECT_TRUE(store.Subjects("Sent").empty());
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].text, mail::kSendInClear);

  dialogs.answers = {base::Answer::Yes};
  ExpectSendingWindow();
  compose->sendButton->click();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].mail.text, "Not secret");
  // Asked once a window: the next plain message goes without it.
  compose->messageEdit->setPlainText("Still not secret");
  ExpectSendingWindow();
  compose->sendButton->click();
  EXPECT_EQ(sent.size(), 2u);
  EXPECT_EQ(dialogs.asked.size(), 2u);

  // Encrypted text never asks, not even when it goes out a second time.
  auto second = Compose("New");
  second->toEdit->setText("bob@example.org");
  second->messageEdit->setPlainText("Secret");
  second->encryptButton->click();
  ExpectSendingWindow();
  second->sendButton->click();
  dialogs.answers = {base::Answer::Yes};
  ExpectSendingWindow();
  second->sendButton->click();
  EXPECT_EQ(sent.size(), 4u);
  ASSERT_EQ(dialogs.asked.size(), 3u);
  EXPECT_EQ(dialogs.asked[2].text, mail::kSendAgain);
}

TEST_F(NewMsgWindowTest, SendingWindowWaitsForTheControlAndOnlyItsFirstEventCounts) {
  Start();
  store::Installation& program = window->Program();
  program.ComposeMode = "New";
  mail::ComposeForm form = mail::OpenCompose(program, "");
  form.to = "bob@example.org";
  ASSERT_TRUE(mail::QueueMessage(program, form, dialogs));
  program.MessageEncrypted = true;
  transport::SmtpEvents held;
  std::atomic<bool> started{false};
  auto sending =
      std::make_unique<ui::SendingDialog>(program, dialogs, nullptr, std::make_unique<HeldSmtpControl>(held, started));
  sending->show();
  ASSERT_TRUE(QTest::qWaitFor([&started] { return started.load(); }, 5000));

  // Neither Escape nor the close button abandons a send under way.
  QTest::keyClick(sending.get(), Qt::Key_Escape);
  sending->close();
  EXPECT_TRUE(sending->isVisible());
  held.progress(50, 100);
  EXPECT_TRUE(QTest::qWaitFor([&sending] { return sending->progressBar->value() == 500; }, 5000));

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
  EXPECT_TRUE(program.MessageEncrypted);
}

}  // namespace
}  // namespace ostrel::testing
