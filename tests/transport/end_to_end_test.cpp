// Two installations with one shared key, talking through the private Postfix
// and Dovecot: an encrypted message with two binary attachments goes out
// through the compose window's Send and comes in through the mail check.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "base/ansi_text.h"
#include "engine/hex_text.h"
#include "keys/key_store.h"
#include "store/installation.h"
#include "store/mail_box.h"
#include "support/recording_dialogs.h"
#include "support/temp_folder.h"
#include "transport/compose.h"
#include "transport/curl_pop3_connection.h"
#include "transport/curl_smtp_control.h"
#include "transport/mail_servers.h"
#include "transport/receiving.h"
#include "transport/sending_fixture.h"

namespace ostrel::transport {
namespace {

using testing::BinaryBytes;

constexpr const char* kSharedKey = "731904268815520947";

// One installation in a program folder of its own.
struct Side {
  explicit Side(const std::filesystem::path& caFile)
      : folder(temp.Path().string() + "/"), installation(folder, dialogs) {
    CreateDataFolders(temp.Path());
    std::filesystem::copy_file(caFile, temp / "trusted-ca.pem");
  }

  testing::TempFolder temp;
  std::string folder;
  testing::RecordingDialogs dialogs;
  store::Installation installation;
};

class LiveServersEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string reason;
    auto found = testing::LocalMailServers(reason);
    if (!found) GTEST_SKIP() << reason;
    servers_ = *found;
    alice_ = std::make_unique<Side>(servers_.caFile);
    bob_ = std::make_unique<Side>(servers_.caFile);
    aliceAddress_ = servers_.NewAddress("alice");
    bobAddress_ = servers_.NewAddress("bob");

    auto& sender = alice_->installation;
    sender.MailOptions.SmtpServer = servers_.Endpoint(servers_.submissionPort);
    sender.MailOptions.EmailAddress = aliceAddress_;
    sender.MailOptions.UserName = aliceAddress_;
    sender.MailOptions.Password = servers_.PasswordOf(aliceAddress_);
    std::string key = kSharedKey;
    sender.Engine.LoadKey(key);
    sender.CurrentKey = key;

    auto& receiver = bob_->installation;
    keys::WriteKeys(bob_->folder, {{"shared", kSharedKey, true}});
    receiver.MailOptions.PopServer = servers_.Endpoint(servers_.pop3Port);
    receiver.MailOptions.UserName = bobAddress_;
    receiver.MailOptions.Password = servers_.PasswordOf(bobAddress_);
  }

  // Waits for Postfix to hand the message to Dovecot.
  bool WaitForDelivery(int count) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
      CurlPop3Connection connection(bob_->folder);
      if (connection.Connect(bob_->installation.MailOptions.PopServer, bobAddress_,
                             servers_.PasswordOf(bobAddress_)) == 0) {
        const int total = connection.GetTotalOfMails();
        connection.Disconnect();
        if (total >= count) return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
  }

  testing::MailServers servers_;
  std::unique_ptr<Side> alice_;
  std::unique_ptr<Side> bob_;
  std::string aliceAddress_;
  std::string bobAddress_;
};

TEST_F(LiveServersEndToEnd, EncryptedMessageWithAttachmentsArrivesWholeAndOnlyOnce) {
  const std::string plain = "Meet at the harbour at nine.\r\nBring the maps, and the Grüße for Jürgen.";
  const std::string big = BinaryBytes(5 * 1024 * 1024 + 321, 7);
  const std::string small = BinaryBytes(4096, 8);
  std::filesystem::create_directories(alice_->temp / "docs");
  testing::WriteBytes(alice_->temp / "docs/charts.bin", big);
  testing::WriteBytes(alice_->temp / "notes.dat", small);

  alice_->installation.ComposeMode = "New";
  ComposeForm form = OpenCompose(alice_->installation, "");
  form.to = bobAddress_;
  form.subject = "Harbour";
  form.message = plain;
  form.attachments = AddToList((alice_->temp / "docs/charts.bin").string(), (alice_->temp / "notes.dat").string());
  ASSERT_TRUE(PressEncrypt(alice_->installation, form, alice_->dialogs));
  CurlSmtpControl control(alice_->folder);
  const auto sent = PressSend(alice_->installation, form, control, alice_->dialogs, {});
  ASSERT_TRUE(sent.has_value());
  ASSERT_EQ(*sent, std::nullopt);
  EXPECT_TRUE(alice_->dialogs.shown.empty());
  EXPECT_EQ(store::MailBox(alice_->folder, "Sent").Count(), 1u);
  EXPECT_FALSE(std::filesystem::exists(alice_->temp / "out.dat"));
  EXPECT_TRUE(std::filesystem::is_empty(alice_->temp / "Enc"));
  ASSERT_TRUE(WaitForDelivery(1));

  CurlPop3Connection connection(bob_->folder);
  ASSERT_TRUE(CheckMail(bob_->installation, connection, bob_->dialogs, nullptr).has_value())
      << ::testing::PrintToString(bob_->dialogs.ShownTexts());
  EXPECT_TRUE(bob_->dialogs.shown.empty()) << ::testing::PrintToString(bob_->dialogs.ShownTexts());
  const store::MailBox in(bob_->folder, "In");
  ASSERT_EQ(in.Count(), 1u);
  EXPECT_EQ(store::MailBox(bob_->folder, "Junk").Count(), 0u);
  const auto record = *in.Read(1);
  EXPECT_EQ(base::TrimBlanks(record.Subject), "Harbour");
  EXPECT_EQ(base::TrimBlanks(record.From), aliceAddress_);

  std::string hex = testing::ReadBytes(in.TextPath(record.MessageName()));
  while (!hex.empty() && (hex.back() == '\r' || hex.back() == '\n')) hex.pop_back();
  engine::HexDecode(hex);
  bob_->installation.Engine.DecryptText(hex);
  EXPECT_EQ(base::FromAnsi(hex), plain);

  EXPECT_TRUE(testing::ReadBytes(bob_->temp / "Dec/charts.bin") == big);
  EXPECT_EQ(testing::ReadBytes(bob_->temp / "Dec/notes.dat"), small);
  EXPECT_TRUE(std::filesystem::is_empty(bob_->temp / "Save"));

  CurlPop3Connection again(bob_->folder);
  ASSERT_TRUE(CheckMail(bob_->installation, again, bob_->dialogs, nullptr).has_value());
  EXPECT_EQ(bob_->dialogs.statuses.back(), "No New Messages.");
  EXPECT_EQ(in.Count(), 1u);
}

}  // namespace
}  // namespace ostrel::transport
