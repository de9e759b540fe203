// The send and check-mail commands between two installations, through the
// private Postfix and Dovecot of the test run: the mail flows with the real
// connections, as a user runs them.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "mail_servers.h"
#include "support/temp_folder.h"
#include "tool_runner.h"

namespace ostrel::app {
namespace {

using ostrel::testing::TempFolder;

class LiveServersMailCommands : public testing::LiveServersTest {
 protected:
  // A program folder with the account of address, the servers' authority
  // trusted, and the shared key as its default key.
  std::string Installation(const TempFolder& folder, const std::string& address, const std::string& password) {
    const std::string path =
        SetUpFolder(scratch.Path(), folder.Path(),
                    {"--pop-server", servers.Endpoint(servers.pop3Port), "--smtp-server",
                     servers.Endpoint(servers.submissionPort), "--user", address, "--email", address},
                    password);
    std::filesystem::copy_file(servers.caFile, folder / "trusted-ca.pem");
    return path;
  }

  Outcome Run(const std::vector<std::string>& words, const std::string& input = "") {
    return RunTool(scratch.Path(), words, input);
  }

  TempFolder scratch;
};

// The whole way between two installations with one shared key: compose,
// encrypt, send, check mail, decipher; a send the server refuses fails.
TEST_F(LiveServersMailCommands, AnEncryptedMessageWithAttachmentsReachesTheOtherInstallation) {
  TempFolder aliceFolder;
  TempFolder bobFolder;
  const std::string alice = servers.NewAddress("alice");
  const std::string bob = servers.NewAddress("bob");
  const std::string from = Installation(aliceFolder, alice, servers.PasswordOf(alice));
  const std::string to = Installation(bobFolder, bob, servers.PasswordOf(bob));
  std::string allCodes;
  for (int code = 0; code < 256; ++code) allCodes += static_cast<char>(code);
  const std::string charts = testing::BinaryBytes(300000, 7);
  std::filesystem::create_directories(scratch / "docs");
  testing::WriteBytes(scratch / "plan.bin", allCodes);
  testing::WriteBytes(scratch / "docs" / "charts.bin", charts);

  const Outcome sent =
      Run({"send", "--folder", from, "--to", bob, "--subject", "Grüße vom Hafen", "--encrypt", "--attach",
           (scratch / "plan.bin").string(), "--attach", (scratch / "docs" / "charts.bin").string()},
          "Meet at the harbour at nine.\r\nBring the Grüße for Jürgen.");
  ASSERT_EQ(sent.status, 0) << sent.err;
  EXPECT_EQ(sent.out, "Sent.\n");

  Outcome checked;
  for (int attempt = 0; attempt < 100; ++attempt) {  // until Postfix has handed it to Dovecot
    checked = Run({"check-mail", "--folder", to});
    if (checked.status != 0 || checked.out.rfind("No New Messages.", 0) != 0) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  ASSERT_EQ(checked.status, 0) << checked.err;
  EXPECT_EQ(checked.out.rfind("1 New Message.", 0), 0u) << checked.out;
  EXPECT_EQ(Run({"list", "--folder", to, "In"}).out.find("\t" + alice + "\tGrüße vom Hafen\t"), 1u);
  const Outcome shown = Run({"show", "--folder", to, "In", "1", "--decrypt"});
  EXPECT_EQ(shown.out, "Meet at the harbour at nine.\r\nBring the Grüße for Jürgen.") << shown.err;
  EXPECT_EQ(testing::ReadBytes(bobFolder / "Dec" / "plan.bin"), allCodes);
  EXPECT_TRUE(testing::ReadBytes(bobFolder / "Dec" / "charts.bin") == charts);
  EXPECT_TRUE(std::filesystem::is_empty(bobFolder / "Save"));

  ASSERT_EQ(Run({"set-options", "--folder", from, "--password-stdin"}, "not the password\n").status, 0);
  const Outcome refused = Run({"send", "--folder", from, "--to", bob, "--subject", "Lost?"}, "text\r\n");
  EXPECT_NE(refused.status, 0);
  EXPECT_FALSE(refused.err.empty());
}

}  // namespace
}  // namespace ostrel::app
