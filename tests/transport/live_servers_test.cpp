// The adapters against the private Dovecot and Postfix of this test run.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "support/results.h"
#include "support/temp_folder.h"
#include "transport/curl_pop3_connection.h"
#include "transport/curl_smtp_control.h"
#include "transport/mail_servers.h"
#include "transport/received_message.h"

namespace ostrel::transport {
namespace {

using testing::BinaryBytes;
using testing::FailureOf;
using testing::ValueOf;

class LiveServers : public testing::LiveServersTest {
 protected:
  void SetUp() override {
    LiveServersTest::SetUp();
    if (IsSkipped()) return;
    std::filesystem::copy_file(servers.caFile, folder_ / "trusted-ca.pem");
  }

  std::string Submission() const { return servers.Endpoint(servers.submissionPort); }
  std::string Smtps() const { return "smtps://" + servers.Endpoint(servers.smtpsPort); }
  std::string Pop3() const { return servers.Endpoint(servers.pop3Port); }
  std::string Pop3s() const { return "pop3s://" + servers.Endpoint(servers.pop3sPort); }

  // The reason the send failed, "" when the server took the message.
  std::string Send(const std::string& server, const std::string& from, const OutgoingMail& mail) {
    return FailureOf(SendMail({server, from, servers.PasswordOf(from)}, mail, folder_.Path(), nullptr));
  }

  // Logs in as address: the reason it failed, "" when it went through.
  std::string Open(CurlPop3Connection& connection, const std::string& url, const std::string& address) {
    return FailureOf(connection.Connect(url, address, servers.PasswordOf(address)));
  }

  // Waits for Postfix to hand the messages to Dovecot.
  bool WaitForMessages(const std::string& address, int count) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
      CurlPop3Connection connection(folder_.Path());
      if (Open(connection, Pop3(), address).empty()) {
        const auto total = connection.GetTotalOfMails();
        connection.Disconnect();
        if (total && *total >= count) return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
  }

  testing::TempFolder folder_;
};

// Every way in and out: a large message over SMTPS and a small one over
// submission with STARTTLS, received over POP3 with STLS and over POP3S. A
// deletion takes effect with the QUIT, and identifiers stay the same from one
// session to the next.
TEST_F(LiveServers, SendsOverBothSmtpPortsAndReceivesAndDeletesOverBothPop3Ports) {
  const std::string from = servers.NewAddress("alice");
  const std::string to = servers.NewAddress("bob");
  const std::string big = BinaryBytes(5 * 1024 * 1024 + 123, 2);
  testing::WriteBytes(folder_ / "big.bin.enc", big);
  testing::WriteBytes(folder_ / "two.bin.enc", BinaryBytes(700, 3));
  const OutgoingMail large{to, from, "large", "text",
                           (folder_ / "big.bin.enc").string() + ";" + (folder_ / "two.bin.enc").string()};
  ASSERT_EQ(Send(Smtps(), from, large), "");
  ASSERT_TRUE(WaitForMessages(to, 1));
  ASSERT_EQ(Send(Submission(), from, {to, from, "small", "x", ""}), "");
  ASSERT_TRUE(WaitForMessages(to, 2));

  std::string keptId;
  {
    CurlPop3Connection connection(folder_.Path());
    ASSERT_EQ(Open(connection, Pop3(), to), "");
    ASSERT_EQ(ValueOf(connection.GetTotalOfMails()), 2);
    ReceivedMessage message;
    message.Load(ValueOf(connection.Retrieve(1)));
    ASSERT_EQ(message.AttachmentCount(), 2);
    EXPECT_TRUE(message.Attachments()[0].bytes == big);
    EXPECT_EQ(message.Attachments()[1].bytes, BinaryBytes(700, 3));
    keptId = ValueOf(connection.GetMsgId(2));
    EXPECT_EQ(FailureOf(connection.Delete(1)), "");
    EXPECT_EQ(FailureOf(connection.Disconnect()), "");
  }
  CurlPop3Connection connection(folder_.Path());
  ASSERT_EQ(Open(connection, Pop3s(), to), "");
  ASSERT_EQ(ValueOf(connection.GetTotalOfMails()), 1);
  EXPECT_EQ(ValueOf(connection.GetMsgId(1)), keptId);
  EXPECT_EQ(FailureOf(connection.Disconnect()), "");
}

// Without the authority in trusted-ca.pem neither protocol logs in.
TEST_F(LiveServers, AnUntrustedCertificateIsRefusedInPlainWords) {
  testing::TempFolder bare;
  const std::string user = servers.NewAddress("refused");
  const std::string refusal = "The mail server's certificate is not trusted, or it does not belong to 127.0.0.2.";
  CurlPop3Connection connection(bare.Path());
  EXPECT_EQ(FailureOf(connection.Connect(Pop3s(), user, servers.PasswordOf(user))), refusal);
  EXPECT_EQ(FailureOf(SendMail({Submission(), user, servers.PasswordOf(user)},
                               {servers.NewAddress("bob"), user, "s", "t", ""}, bare.Path(), nullptr)),
            refusal);
}

}  // namespace
}  // namespace ostrel::transport
