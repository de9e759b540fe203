#pragma once
// A program folder set up for the local test servers: the mail account of an
// address there in "email.opt", and the servers' certificate authority
// trusted; and a wait for mail that Postfix hands to Dovecot a moment later.

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "mail_servers.h"
#include "settings/mail_options.h"
#include "transport/curl_pop3_connection.h"
#include "ui_folder.h"

namespace ostrel::testing {

inline void UseLiveAccount(const std::filesystem::path& programFolder, const MailServers& servers,
                           const std::string& address) {
  std::filesystem::copy_file(servers.caFile, programFolder / "trusted-ca.pem");
  settings::OptionsFile options;
  options.options.PopServer = servers.Endpoint(servers.pop3Port);
  options.options.SmtpServer = servers.Endpoint(servers.submissionPort);
  options.options.UserName = address;
  options.options.Password = servers.PasswordOf(address);
  options.options.EmailAddress = address;
  settings::WriteOptions(programFolder, options);
}

// True once the address's mailbox holds mail, false after half a minute.
// The program folder must trust the servers' certificate authority.
inline bool WaitForMail(const std::string& programFolder, const MailServers& servers, const std::string& address) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (std::chrono::steady_clock::now() < deadline) {
    transport::CurlPop3Connection connection(programFolder);
    if (connection.Connect(servers.Endpoint(servers.pop3Port), address, servers.PasswordOf(address))) {
      const auto total = connection.GetTotalOfMails();
      connection.Disconnect();
      if (total && *total > 0) return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

// A main window test whose program folder has a fresh address at the local
// servers as its account, a default key and the first-run notice dismissed.
class LiveWindowTest : public MainWindowTest {
 protected:
  // Skips the test where the servers cannot run here; check IsSkipped().
  void SetUpAccount(const std::string& name) {
    std::string reason;
    auto found = LocalMailServers(reason);
    if (!found) GTEST_SKIP() << reason;
    servers_ = *found;
    address_ = servers_.NewAddress(name);
    UseLiveAccount(store.Folder(), servers_, address_);
    WriteDefaultKey(store.Folder());
    WriteBytes(store / "opt.dne", "Done\r\n");
  }

  MailServers servers_;
  std::string address_;
};

}  // namespace ostrel::testing
