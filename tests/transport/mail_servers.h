#pragma once
// The private Dovecot and Postfix that scripts/mail-servers started for this
// test run, as described by its servers.env, and helpers to use them.

#include <filesystem>
#include <optional>
#include <string>

namespace ostrel::testing {

struct MailServers {
  std::string host;
  int pop3Port = 0;       // STLS
  int pop3sPort = 0;      // implicit TLS
  int submissionPort = 0; // STARTTLS
  int smtpsPort = 0;      // implicit TLS
  std::filesystem::path caFile;
  std::string domain;
  std::string passwordPrefix;

  std::string Endpoint(int port) const { return host + ":" + std::to_string(port); }
  // A mailbox no other test uses: "<purpose>-<process>-<n>@<domain>".
  std::string NewAddress(const std::string& purpose) const;
  std::string PasswordOf(const std::string& address) const;
};

// The servers, or nothing with the reason in skipReason (the servers were not
// installed). Throws when the servers should be there but are not.
std::optional<MailServers> LocalMailServers(std::string& skipReason);

}  // namespace ostrel::testing
