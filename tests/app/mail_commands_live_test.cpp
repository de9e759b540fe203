// The send and check-mail commands between two installations, through the
// private Postfix and Dovecot of the test run.

#include <gtest/gtest.h>

#include "mail_servers.h"
#include "support/temp_folder.h"
#include "tool_runner.h"

namespace ostrel::app {
namespace {

using ostrel::testing::TempFolder;

class LiveServersMailCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string reason;
    auto found = testing::LocalMailServers(reason);
    if (!found) GTEST_SKIP() << reason;
    servers = *found;
  }

  // A program folder with the account of address, the servers' authority
  // trusted, and the shared key as its default key.
  std::string Installation(const TempFolder& folder, const std::string& address, const std::string& password) {
    const std::string path = folder.Path().string() + "/";
    const Outcome options =
        Run({"set-options", "--folder", path, "--pop-server", servers.Endpoint(servers.pop3Port), "--smtp-server",
             servers.Endpoint(servers.submissionPort), "--user", address, "--email", address, "--password-stdin"},
            password + "\n");
    EXPECT_EQ(options.status, 0) << options.err;
    std::filesystem::copy_file(servers.caFile, folder / "trusted-ca.pem");
    EXPECT_EQ(Run({"add-key", "--folder", path, "Shared", "730145928837465012", "--default"}).status, 0);
    return path;
  }

  Outcome Run(const std::vector<std::string>& words, const std::string& input = "") {
    return RunTool(scratch.Path(), words, input);
  }

  testing::MailServers servers;
  TempFolder scratch;
};

TEST_F(LiveServersMailCommands, AnEncryptedMessageWithAnAttachmentReachesTheOtherInstallation) {
  TempFolder aliceFolder;
  TempFolder bobFolder;
  const std::string alice = servers.NewAddress("alice");
  const std::string bob = servers.NewAddress("bob");
  const std::string from = Installation(aliceFolder, alice, servers.PasswordOf(alice));
  const std::string to = Installation(bobFolder, bob, servers.PasswordOf(bob));
  std::string binary;
  for (int code = 0; code < 256; ++code) binary += static_cast<char>(code);
  testing::WriteBytes(scratch / "plan.bin", binary);

  const Outcome sent = Run({"send", "--folder", from, "--to", bob, "--subject", "Plan", "--encrypt", "--attach",
                            (scratch / "plan.bin").string()},
                           "Meet at six.\r\n");
  ASSERT_EQ(sent.status, 0) << sent.err;
  EXPECT_EQ(sent.out, "Sent.\n");

  const Outcome checked = Run({"check-mail", "--folder", to});
  ASSERT_EQ(checked.status, 0) << checked.err;
  EXPECT_EQ(checked.out.rfind("1 New Message.", 0), 0u) << checked.out;
  const Outcome shown = Run({"show", "--folder", to, "In", "1", "--decrypt"});
  EXPECT_NE(shown.out.find("Meet at six."), std::string::npos) << shown.out;
  EXPECT_EQ(testing::ReadBytes(bobFolder / "Dec" / "plan.bin"), binary);

  EXPECT_NE(Run({"check-mail", "--folder", to}).out.find("No New Messages."), std::string::npos);
}

TEST_F(LiveServersMailCommands, ARefusedLoginFailsTheSendButKeepsTheSentCopy) {
  TempFolder folder;
  const std::string alice = servers.NewAddress("alice");
  const std::string from = Installation(folder, alice, "not the password");

  const Outcome sent = Run({"send", "--folder", from, "--to", alice, "--subject", "Lost?"}, "text\r\n");
  EXPECT_NE(sent.status, 0);
  EXPECT_FALSE(sent.err.empty());
  EXPECT_NE(Run({"list", "--folder", from, "Sent"}).out.find("Lost?"), std::string::npos);
}

}  // namespace
}  // namespace ostrel::app
