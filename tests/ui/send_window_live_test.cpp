// The compose and sending windows against the local Postfix and Dovecot: a
// message written in the compose window opened from the main window goes
// out through the sending window, lands in the Sent box, and arrives at the
// correspondent's In box.

#include "base/fixed_records.h"
#include "engine/hex_text.h"
#include "live_account.h"
#include "mail/receiving.h"
#include "store/installation.h"
#include "store/mail_box.h"
#include "transport/curl_pop3_connection.h"
#include "transport/mail_servers.h"
#include "ui/compose_window.h"
#include "ui/sending_dialog.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

using ::testing::PrintToString;

class SendWindowLiveTest : public LiveWindowTest {
 protected:
  void SetUp() override {
    SetUpAccount("alice-window");
    if (IsSkipped()) return;
    bob_ = servers_.NewAddress("bob-window");

    WriteDefaultKey(bobStore_.Folder());
    std::filesystem::copy_file(servers_.caFile, bobStore_ / "trusted-ca.pem");
    bobSide_ = std::make_unique<store::Installation>(bobStore_.Folder(), bobDialogs_);
    bobSide_->MailOptions.PopServer = servers_.Endpoint(servers_.pop3Port);
    bobSide_->MailOptions.UserName = bob_;
    bobSide_->MailOptions.Password = servers_.PasswordOf(bob_);
  }

  std::string bob_;
  StoreFolder bobStore_;
  RecordingDialogs bobDialogs_;
  std::unique_ptr<store::Installation> bobSide_;
};

TEST_F(SendWindowLiveTest, EncryptedMessageWithAnAttachmentIsFiledSentAndDeciphered) {
  const std::string chart(300 * 1024 + 7, 'c');
  WriteBytes(store / "chart.bin", chart);
  desktop.chosenFiles.push_back(store / "chart.bin");
  Start();
  bool composeStillOpen = false;
  bool sentInFull = false;
  OnNext<ui::ComposeWindow>([&](auto& compose) {
    compose.toEdit->setText(QString::fromStdString(bob_));
    compose.subjectEdit->setText("Harbour");
    compose.messageEdit->setPlainText("Meet at the harbour at nine.");
    compose.selectButton->click();
    compose.encryptButton->click();
    compose.sendButton->click();
    composeStillOpen = compose.isVisible();
  });
  OnNext<ui::SendingDialog>([&](auto& sending) {
    sentInFull = QTest::qWaitFor([&sending] { return !sending.isVisible(); }, 60000) &&
                 sending.progressBar->value() == sending.progressBar->maximum();
  });
  window->newMessageAction->trigger();

  EXPECT_THAT(desktop.opened, ElementsAre("ComposeWindow", "SendingDialog"));
  EXPECT_TRUE(sentInFull);
  EXPECT_TRUE(composeStillOpen);
  EXPECT_TRUE(dialogs.shown.empty()) << PrintToString(dialogs.ShownTexts());
  EXPECT_EQ(store.Subjects("Sent"), std::vector<std::string>{"Harbour"});
  EXPECT_FALSE(window->Program().Compose.MessageEncrypted);
  EXPECT_TRUE(std::filesystem::is_empty(store / "Enc"));

  ASSERT_TRUE(WaitForMail(bobStore_.Folder(), servers_, bob_));
  transport::CurlPop3Connection connection(bobStore_.Folder());
  ASSERT_TRUE(mail::CheckMail(*bobSide_, connection, bobDialogs_, nullptr).has_value())
      << PrintToString(bobDialogs_.ShownTexts());
  ASSERT_EQ(bobStore_.Subjects("In"), std::vector<std::string>{"Harbour"});
  EXPECT_EQ(base::TrimBlanks(bobStore_.Records("In")[0].From), address_);
  std::string text = ReadBytes(bobStore_ / "In" / "MSG1.txt");
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
  engine::HexDecode(text);
  bobSide_->Engine.DecryptText(text);
  EXPECT_EQ(text, "Meet at the harbour at nine.");
  EXPECT_TRUE(ReadBytes(bobStore_ / "Dec" / "chart.bin") == chart);
}

}  // namespace
}  // namespace ostrel::testing
