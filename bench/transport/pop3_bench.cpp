// Speed of the POP3 connection: 1000 messages of 20 kB retrieved over POP3S
// from a private Dovecot (started for the run by scripts/mail-servers), in
// messages per second, with and without taking each message apart.
// scripts/bench times the whole check-mail beside mpop and Python's poplib
// on a mailbox of the same shape.
//
//   pop3_bench [messages]        (must run as root, like the servers)

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>

#include "transport/curl_pop3_connection.h"
#include "transport/received_message.h"

namespace {

namespace fs = std::filesystem;
using ostrel::transport::CurlPop3Connection;
using ostrel::transport::ReceivedMessage;

constexpr int kRepeats = 3;
constexpr std::size_t kMessageSize = 20 * 1000;
constexpr const char* kUser = "bench";

double BestSeconds(const std::function<bool()>& work) {
  double best = 1e30;
  for (int i = 0; i < kRepeats; ++i) {
    const auto begin = std::chrono::steady_clock::now();
    if (!work()) return -1;
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - begin;
    best = std::min(best, took.count());
  }
  return best;
}

std::map<std::string, std::string> ReadEnv(const fs::path& file) {
  std::map<std::string, std::string> values;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    if (const auto equals = line.find('='); equals != std::string::npos) {
      values[line.substr(0, equals)] = line.substr(equals + 1);
    }
  }
  return values;
}

// A message of about kMessageSize bytes: a short text and a base64 body.
std::string Message(int number) {
  std::string message = "From: sender@example.test\r\nTo: bench@example.test\r\nSubject: message " +
                        std::to_string(number) +
                        "\r\nDate: Sun, 06 Dec 2026 10:00:00 +0000\r\nMIME-Version: 1.0\r\n"
                        "Content-Type: text/plain; charset=us-ascii\r\n\r\n";
  static constexpr char kHex[] = "0123456789ABCDEF";
  unsigned state = static_cast<unsigned>(number) * 2654435761u;
  while (message.size() + 82 < kMessageSize) {
    for (int i = 0; i < 80; ++i) {
      state = state * 1103515245u + 12345u;
      message += kHex[(state >> 16) & 15u];
    }
    message += "\r\n";
  }
  return message;
}

// Puts the messages straight into the user's Maildir, as delivery would.
bool FillMailbox(const fs::path& mailRoot, int count) {
  const passwd* mail = getpwnam("mail");
  if (!mail) return false;
  const fs::path maildir = mailRoot / "example.test" / kUser / "Maildir";
  for (const char* sub : {"new", "cur", "tmp"}) fs::create_directories(maildir / sub);
  for (int i = 1; i <= count; ++i) {
    const fs::path file = maildir / "new" / ("1700000000.M" + std::to_string(i) + "P1.bench");
    std::ofstream(file, std::ios::binary) << Message(i);
  }
  for (const auto& entry : fs::recursive_directory_iterator(mailRoot)) {
    if (chown(entry.path().c_str(), mail->pw_uid, mail->pw_gid) != 0) return false;
  }
  return true;
}

bool Retrieve(const fs::path& programFolder, const std::string& server, int expected, bool parse) {
  CurlPop3Connection connection(programFolder);
  if (const auto login = connection.Connect(server, std::string(kUser) + "@example.test",
                                            std::string("secret-") + kUser);
      !login) {
    std::fprintf(stderr, "connect: %s\n", login.Reason().c_str());
    return false;
  }
  const auto total = connection.GetTotalOfMails();
  if (!total || *total != expected) {
    std::fprintf(stderr, "expected %d messages, found %d\n", expected, total ? *total : -1);
    return false;
  }
  ReceivedMessage message;
  for (int i = 1; i <= *total; ++i) {
    if (!connection.GetMsgSize(i) || !connection.GetMsgId(i)) return false;
    const auto raw = connection.Retrieve(i);
    if (!raw) return false;
    if (parse) message.Load(*raw);
  }
  return connection.Disconnect().Ok();
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
  char folderTemplate[] = "/tmp/ostrel-pop3-bench-XXXXXX";
  if (!mkdtemp(folderTemplate)) return 1;
  const fs::path folder = folderTemplate;
  const fs::path servers = folder / "servers";
  const std::string script = std::string(OSTREL_SOURCE_DIR) + "/scripts/mail-servers";

  int result = 1;
  if (std::system((script + " start '" + servers.string() + "'").c_str()) != 0 ||
      fs::exists(servers / "unavailable")) {
    std::printf("pop3_bench: the private mail servers are not available here\n");
  } else {
    const auto env = ReadEnv(servers / "servers.env");
    fs::copy_file(env.at("CA_FILE"), folder / "trusted-ca.pem");
    const std::string server = "pop3s://" + env.at("HOST") + ":" + env.at("POP3S_PORT");
    if (FillMailbox(env.at("MAIL_ROOT"), count) && Retrieve(folder, server, count, false)) {
      const double plain = BestSeconds([&] { return Retrieve(folder, server, count, false); });
      const double parsed = BestSeconds([&] { return Retrieve(folder, server, count, true); });
      std::printf("%d messages of %zu bytes over POP3S (LIST, UIDL, then RETR each), best of %d:\n", count,
                  kMessageSize, kRepeats);
      std::printf("  CurlPop3Connection           %8.0f messages/s\n", count / plain);
      std::printf("  CurlPop3Connection + parse   %8.0f messages/s\n", count / parsed);
      result = plain > 0 && parsed > 0 ? 0 : 1;
    } else {
      std::fprintf(stderr, "pop3_bench: the mailbox could not be filled or read\n");
    }
  }
  std::system((script + " stop '" + servers.string() + "'").c_str());
  fs::remove_all(folder);
  return result;
}
