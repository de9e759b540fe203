#pragma once
// A program folder set up for the local test servers: the mail account of an
// address there in "email.opt", and the servers' certificate authority
// trusted.

#include <filesystem>
#include <string>

#include "mail_servers.h"
#include "settings/mail_options.h"

namespace ostrel::testing {

inline void UseLiveAccount(const std::filesystem::path& programFolder, const MailServers& servers,
                           const std::string& address, bool deleteOnServer = false) {
  std::filesystem::copy_file(servers.caFile, programFolder / "trusted-ca.pem");
  settings::OptionsFile options;
  options.options.PopServer = servers.Endpoint(servers.pop3Port);
  options.options.SmtpServer = servers.Endpoint(servers.submissionPort);
  options.options.UserName = address;
  options.options.Password = servers.PasswordOf(address);
  options.options.EmailAddress = address;
  options.options.DeleteOnServer = deleteOnServer;
  settings::WriteOptions(programFolder, options);
}

}  // namespace ostrel::testing
