#include "transport/mail_servers.h"

#include <pwd.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <map>
#include <stdexcept>

namespace ostrel::testing {

std::string MailServers::NewAddress(const std::string& purpose) const {
  static std::atomic<int> counter{0};
  return purpose + "-" + std::to_string(getpid()) + "-" + std::to_string(++counter) + "@" + domain;
}

std::string MailServers::PasswordOf(const std::string& address) const {
  return passwordPrefix + address.substr(0, address.find('@'));
}

void MailServers::Deposit(const std::string& address, const std::vector<std::string>& messages) const {
  const std::string user = address.substr(0, address.find('@'));
  const std::filesystem::path maildir = mailRoot / domain / user / "Maildir";
  const struct passwd* mail = ::getpwnam("mail");
  if (mail == nullptr) throw std::runtime_error("no user \"mail\" owns the Maildirs");
  const auto own = [&](const std::filesystem::path& path) {
    if (::chown(path.c_str(), mail->pw_uid, mail->pw_gid) != 0) throw std::runtime_error("cannot chown " + path.string());
  };
  for (const auto& folder : {mailRoot / domain, mailRoot / domain / user, maildir, maildir / "tmp", maildir / "cur",
                             maildir / "new"}) {
    if (std::filesystem::create_directory(folder)) own(folder);
  }
  static std::atomic<int> counter{0};
  for (const auto& text : messages) {
    const std::string name = "1700000000.P" + std::to_string(getpid()) + "Q" + std::to_string(++counter) + ".ostrel-test";
    const std::filesystem::path path = maildir / "new" / name;
    std::ofstream(path, std::ios::binary) << text;
    own(path);
  }
}

std::optional<MailServers> LocalMailServers(std::string& skipReason) {
  const char* folder = std::getenv("OSTREL_MAIL_SERVERS");
  if (!folder || !*folder) {
    skipReason = "OSTREL_MAIL_SERVERS is not set; run the tests through ctest";
    return std::nullopt;
  }
  const std::filesystem::path root(folder);
  if (std::ifstream unavailable(root / "unavailable"); unavailable) {
    std::getline(unavailable, skipReason);
    skipReason = "the test mail servers are not available: " + skipReason;
    return std::nullopt;
  }
  std::ifstream file(root / "servers.env");
  if (!file) throw std::runtime_error("the test mail servers did not start: no " + (root / "servers.env").string());
  std::map<std::string, std::string> values;
  for (std::string line; std::getline(file, line);) {
    if (const auto equals = line.find('='); equals != std::string::npos) {
      values[line.substr(0, equals)] = line.substr(equals + 1);
    }
  }
  MailServers servers;
  servers.host = values["HOST"];
  servers.pop3Port = std::stoi(values["POP3_PORT"]);
  servers.pop3sPort = std::stoi(values["POP3S_PORT"]);
  servers.submissionPort = std::stoi(values["SUBMISSION_PORT"]);
  servers.smtpsPort = std::stoi(values["SMTPS_PORT"]);
  servers.caFile = values["CA_FILE"];
  servers.mailRoot = values["MAIL_ROOT"];
  servers.domain = values["DOMAIN"];
  servers.passwordPrefix = values["PASSWORD_PREFIX"];
  return servers;
}

}  // namespace ostrel::testing
