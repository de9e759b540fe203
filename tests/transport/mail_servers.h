#pragma once
// The private Dovecot and Postfix that scripts/mail-servers started for this
// test run, as described by its servers.env, and helpers to use them.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace ostrel::testing {

struct MailServers {
  std::string host;
  int pop3Port = 0;       // STLS
  int pop3sPort = 0;      // implicit TLS
  int submissionPort = 0; // STARTTLS
  int smtpsPort = 0;      // implicit TLS
  std::filesystem::path caFile;
  std::filesystem::path mailRoot;  // Dovecot's Maildirs: <mailRoot>/<domain>/<user>/Maildir
  std::string domain;
  std::string passwordPrefix;

  std::string Endpoint(int port) const { return host + ":" + std::to_string(port); }
  // A mailbox no other test uses: "<purpose>-<process>-<n>@<domain>".
  std::string NewAddress(const std::string& purpose) const;
  std::string PasswordOf(const std::string& address) const;
  // Puts messages (whole texts, LF line ends) straight into the address's
  // mailbox, as a delivery would, without waiting for Postfix.
  void Deposit(const std::string& address, const std::vector<std::string>& messages) const;
};

// The servers, or nothing with the reason in skipReason (the servers were not
// installed). Throws when the servers should be there but are not.
std::optional<MailServers> LocalMailServers(std::string& skipReason);

// A test that talks to the servers; skipped where they cannot run here.
class LiveServersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string reason;
    auto found = LocalMailServers(reason);
    if (!found) GTEST_SKIP() << reason;
    servers = *found;
  }

  MailServers servers;
};

// Repeatable bytes of every value, for attachments that must arrive whole.
inline std::string BinaryBytes(std::size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  unsigned state = seed;
  for (auto& byte : bytes) {
    state = state * 1103515245u + 12345u;
    byte = static_cast<char>(state >> 16);
  }
  return bytes;
}

}  // namespace ostrel::testing
