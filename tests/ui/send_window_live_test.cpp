// The compose and sending windows against the local Postfix and Dovecot: a
// message written in the compose window opened from the main window goes
// out through the sending window, lands in the Sent box, and arrives at the
// correspondent's In box; a refused login is reported in the server's words.
#include <gmock/gmock.h>

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <thread>

#include "base/fixed_records.h"
#include "engine/hex_text.h"
#include "settings/mail_options.h"
#include "store/installation.h"
#include "store/mail_box.h"
#include "transport/curl_pop3_connection.h"
#include "transport/mail_servers.h"
#include "transport/receiving.h"
#include "ui/frm_new_msg.h"
#include "ui/frm_send.h"
#include "live_account.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::PrintToString;

constexpr const char* kRefusedLogin = "The mail server refused the login: check the user name and password.";

class SendWindowLiveTest : public MainWindowTest {
 protected:
  void SetUp() override {
    std::string reason;
    auto found = LocalMailServers(reason);
    if (!found) GTEST_SKIP() << reason;
    servers_ = *found;
    alice_ = servers_.NewAddress("alice-window");
    bob_ = servers_.NewAddress("bob-window");

    WriteBytes(store / "opt.dne", "Done\r\n");
    WriteDefaultKey(store.Folder());
    UseLiveAccount(store.Folder(), servers_, alice_);

    WriteDefaultKey(bobStore_.Folder());
    std::filesystem::copy_file(servers_.caFile, bobStore_ / "trusted-ca.pem");
    bobSide_ = std::make_unique<store::Installation>(bobStore_.Folder(), bobDialogs_);
    bobSide_->MailOptions.PopServer = servers_.Endpoint(servers_.pop3Port);
    bobSide_->MailOptions.UserName = bob_;
    bobSide_->MailOptions.Password = servers_.PasswordOf(bob_);
  }

  // Writes the message in the compose window opened by "New Message..." and
  // presses the buttons named, "Send" last; the sending window is left to
  // close itself.
  void ComposeAndSend(const QString& subject, const QString& text, bool encrypt,
                      const std::vector<std::filesystem::path>& attachments) {
    for (const auto& file : attachments) desktop.chosenFiles.push_back(file);
    desktop.onModal.push_back([=, this](QDialog& dialog) {
      auto& compose = dynamic_cast<ui::frmNewMsg&>(dialog);
      compose.txtTo->setText(QString::fromStdString(bob_));
      compose.txtSubject->setText(subject);
      compose.txtMsg->setPlainText(text);
      for (std::size_t i = 0; i < attachments.size(); ++i) compose.Command2->click();
      if (encrypt) compose.cmdEnc->click();
      compose.Command1->click();
      composeStillOpen_ = compose.isVisible();
      composeText_ = compose.txtMsg->toPlainText();
    });
    desktop.onModal.push_back([this](QDialog& dialog) {
      auto& sending = dynamic_cast<ui::frmSend&>(dialog);
      sendingClosed_ = QTest::qWaitFor([&sending] { return !sending.isVisible(); }, 60000);
      barFull_ = sending.ProgressBar1->value() == sending.ProgressBar1->maximum();
    });
    window->emnew->trigger();
  }

  // Bob's mail check, once Postfix has handed the message to Dovecot.
  bool ReceiveAtBob() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
      transport::CurlPop3Connection probe(bobStore_.Folder());
      if (probe.Connect(bobSide_->MailOptions.PopServer, bob_, servers_.PasswordOf(bob_)) == 0) {
        const int total = probe.GetTotalOfMails();
        probe.Disconnect();
        if (total > 0) break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    transport::CurlPop3Connection connection(bobStore_.Folder());
    return transport::CheckMail(*bobSide_, connection, bobDialogs_, nullptr).has_value();
  }

  std::string BobsText(const std::string& name) {
    std::string text = ReadBytes(bobStore_ / "In" / (name + ".txt"));
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
    return text;
  }

  MailServers servers_;
  std::string alice_;
  std::string bob_;
  StoreFolder bobStore_;
  RecordingDialogs bobDialogs_;
  std::unique_ptr<store::Installation> bobSide_;
  bool composeStillOpen_ = false;
  QString composeText_;
  bool sendingClosed_ = false;
  bool barFull_ = false;
};

TEST_F(SendWindowLiveTest, EncryptedMessageWithAnAttachmentIsFiledSentAndDeciphered) {
  const std::string chart(300 * 1024 + 7, 'c');
  WriteBytes(store / "chart.bin", chart);
  Start();
  ComposeAndSend("Harbour", "Meet at the harbour at nine.", true, {store / "chart.bin"});

  EXPECT_THAT(desktop.opened, ElementsAre("frmNewMsg", "frmSend"));
  EXPECT_TRUE(sendingClosed_);
  EXPECT_TRUE(barFull_);
  EXPECT_TRUE(composeStillOpen_);
  EXPECT_TRUE(dialogs.shown.empty()) << PrintToString(dialogs.ShownTexts());
  EXPECT_EQ(store.Subjects("Sent"), std::vector<std::string>{"Harbour"});
  EXPECT_FALSE(window->Program().MessageEncrypted);
  EXPECT_FALSE(std::filesystem::exists(store / "out.dat"));
  EXPECT_TRUE(std::filesystem::is_empty(store / "Enc"));

  ASSERT_TRUE(ReceiveAtBob()) << PrintToString(bobDialogs_.ShownTexts());
  ASSERT_EQ(bobStore_.Subjects("In"), std::vector<std::string>{"Harbour"});
  EXPECT_EQ(base::TrimBlanks(bobStore_.Records("In")[0].From), alice_);
  std::string text = BobsText("MSG1");
  engine::HexDecode(text);
  bobSide_->Engine.DecryptText(text);
  EXPECT_EQ(text, "Meet at the harbour at nine.");
  EXPECT_TRUE(ReadBytes(bobStore_ / "Dec" / "chart.bin") == chart);
}

TEST_F(SendWindowLiveTest, PlainMessageArrivesAsWritten) {
  Start();
  ComposeAndSend("Lunch", "Lunch at one?\nBob", false, {});
  EXPECT_TRUE(sendingClosed_);
  EXPECT_TRUE(dialogs.shown.empty()) << PrintToString(dialogs.ShownTexts());
  EXPECT_EQ(ReadBytes(store / "Sent" / "MSG1.txt"), "Lunch at one?\r\nBob\r\n");

  ASSERT_TRUE(ReceiveAtBob()) << PrintToString(bobDialogs_.ShownTexts());
  ASSERT_EQ(bobStore_.Subjects("In"), std::vector<std::string>{"Lunch"});
  EXPECT_EQ(BobsText("MSG1"), "Lunch at one?\r\nBob");
}

TEST_F(SendWindowLiveTest, RefusedLoginShowsTheReasonAndKeepsTheSentCopy) {
  settings::OptionsFile options = *settings::ReadOptions(store.Folder());
  options.options.Password = "not the password";
  settings::WriteOptions(store.Folder(), options);
  Start();
  ComposeAndSend("Refused", "Hello", false, {});
  EXPECT_TRUE(sendingClosed_);
  EXPECT_EQ(dialogs.ShownTexts(), std::vector<std::string>{kRefusedLogin});
  EXPECT_EQ(store.Subjects("Sent"), std::vector<std::string>{"Refused"});
  EXPECT_EQ(ReadBytes(store / "Sent" / "MSG1.txt"), "Hello\r\n");
  EXPECT_FALSE(std::filesystem::exists(store / "out.dat"));
  // The window keeps the text for another try.
  EXPECT_TRUE(composeStillOpen_);
  EXPECT_EQ(composeText_, "Hello");
}

}  // namespace
}  // namespace ostrel::testing
