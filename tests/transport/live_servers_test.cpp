// The adapters against the private Dovecot and Postfix of this test run.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "support/results.h"
#include "support/temp_folder.h"
#include "transport/curl_pop3_connection.h"
#include "transport/curl_smtp_control.h"
#include "transport/cutting_proxy.h"
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

TEST_F(LiveServers, SendsALargeMessageWithImplicitTlsAndReceivesThroughPop3s) {
  const std::string from = servers.NewAddress("alice");
  const std::string to = servers.NewAddress("bob");
  const std::string big = BinaryBytes(5 * 1024 * 1024 + 123, 2);
  testing::WriteBytes(folder_ / "big.bin.enc", big);
  testing::WriteBytes(folder_ / "two.bin.enc", BinaryBytes(700, 3));
  const OutgoingMail mail{to, from, "large", "text",
                          (folder_ / "big.bin.enc").string() + ";" + (folder_ / "two.bin.enc").string()};
  std::uint64_t lastSent = 0;
  std::uint64_t lastTotal = 0;
  ASSERT_EQ(FailureOf(SendMail({Smtps(), from, servers.PasswordOf(from)}, mail, folder_.Path(),
                               [&](std::uint64_t sent, std::uint64_t total) {
                                 lastSent = sent;
                                 lastTotal = total;
                               })),
            "");
  EXPECT_GT(lastTotal, big.size());
  EXPECT_EQ(lastSent, lastTotal);
  ASSERT_TRUE(WaitForMessages(to, 1));

  CurlPop3Connection connection(folder_.Path());
  ASSERT_EQ(Open(connection, Pop3s(), to), "");
  ASSERT_EQ(ValueOf(connection.GetTotalOfMails()), 1);
  ReceivedMessage message;
  message.Load(ValueOf(connection.Retrieve(1)));
  EXPECT_EQ(FailureOf(connection.Disconnect()), "");
  ASSERT_EQ(message.AttachmentCount(), 2);
  EXPECT_TRUE(message.Attachments()[0].bytes == big);
  EXPECT_EQ(message.Attachments()[1].bytes, BinaryBytes(700, 3));
}

// A line cut in the middle of a TLS session loses its deletions; a session
// ended by an accepted QUIT deletes only what it marked, and identifiers stay
// the same from one session to the next.
TEST_F(LiveServers, DeletionsTakeEffectOnlyAfterAnAcceptedQuit) {
  const std::string from = servers.NewAddress("alice");
  const std::string to = servers.NewAddress("dele");
  testing::WriteBytes(folder_ / "bulk.bin", BinaryBytes(200000, 4));
  ASSERT_EQ(Send(Submission(), from, {to, from, "small", "x", ""}), "");
  ASSERT_TRUE(WaitForMessages(to, 1));
  ASSERT_EQ(Send(Submission(), from, {to, from, "bulky", "x", (folder_ / "bulk.bin").string()}), "");
  ASSERT_TRUE(WaitForMessages(to, 2));

  std::vector<std::string> ids;
  {
    testing::CuttingProxy proxy("127.0.0.2", servers.pop3sPort, 60000);
    CurlPop3Connection connection(folder_.Path());
    ASSERT_EQ(Open(connection, "pop3s://127.0.0.1:" + std::to_string(proxy.Port()), to), "");
    for (int i = 1; i <= 2; ++i) ids.push_back(ValueOf(connection.GetMsgId(i)));
    EXPECT_FALSE(ValueOf(connection.Retrieve(1)).empty());
    EXPECT_EQ(FailureOf(connection.Delete(1)), "");
    EXPECT_EQ(FailureOf(connection.Retrieve(2)), "The connection to the mail server was lost.");
    EXPECT_FALSE(connection.Disconnect());
  }
  {
    CurlPop3Connection connection(folder_.Path());
    ASSERT_EQ(Open(connection, Pop3(), to), "");
    ASSERT_EQ(ValueOf(connection.GetTotalOfMails()), 2);
    EXPECT_EQ((std::vector<std::string>{ValueOf(connection.GetMsgId(1)), ValueOf(connection.GetMsgId(2))}), ids);
    EXPECT_NE(ids[0], ids[1]);
    EXPECT_GT(ValueOf(connection.Retrieve(2)).size(), 200000u);
    EXPECT_EQ(FailureOf(connection.Delete(1)), "");
    EXPECT_EQ(FailureOf(connection.Disconnect()), "");
  }
  CurlPop3Connection connection(folder_.Path());
  ASSERT_EQ(Open(connection, Pop3s(), to), "");
  ASSERT_EQ(ValueOf(connection.GetTotalOfMails()), 1);
  EXPECT_EQ(ValueOf(connection.GetMsgId(1)), ids[1]);
  EXPECT_FALSE(connection.Retrieve(2));
  EXPECT_EQ(FailureOf(connection.Disconnect()), "");
}

TEST_F(LiveServers, AWrongPasswordOrAnUntrustedCertificateIsRefusedInPlainWords) {
  testing::TempFolder bare;  // no trusted-ca.pem
  const std::string user = servers.NewAddress("refused");
  struct Case {
    std::filesystem::path folder;
    std::string password;
    std::string error;
  };
  const Case cases[] = {
      {folder_.Path(), "not-the-password", "The mail server refused the login: check the user name and password."},
      {bare.Path(), servers.PasswordOf(user),
       "The mail server's certificate is not trusted, or it does not belong to 127.0.0.2."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    CurlPop3Connection connection(c.folder);
    EXPECT_EQ(FailureOf(connection.Connect(Pop3s(), user, c.password)), c.error);
    EXPECT_EQ(FailureOf(SendMail({Submission(), user, c.password}, {servers.NewAddress("bob"), user, "s", "t", ""},
                                 c.folder, nullptr)),
              c.error);
  }
}

TEST_F(LiveServers, PlainTextLoginIsNotOfferedWithoutTls) {
  const std::string user = servers.NewAddress("plain");
  CurlPop3Connection connection(folder_.Path());
  EXPECT_EQ(Open(connection, "pop3://" + Pop3(), user),
            "The mail server takes logins only over an encrypted connection, so the user name and password were "
            "not sent. Write the POP3 server as \"" +
                Pop3() + "\", without \"pop3://\", to encrypt this connection with STLS.");
}

}  // namespace
}  // namespace ostrel::transport
