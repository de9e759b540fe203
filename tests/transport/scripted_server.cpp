#include "transport/scripted_server.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>
#include <string_view>

namespace ostrel::testing {
namespace {

constexpr int kWaitMilliseconds = 10000;

// A socket listening on a free loopback port; port is set to that port.
int ListenOnLoopback(int& port) {
  const int listener = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (listener < 0 || bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener, 1) != 0 || getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    throw std::runtime_error("cannot listen on loopback");
  }
  port = ntohs(address.sin_port);
  return listener;
}

// False when the other side went away before every byte was sent.
bool SendAll(int socket, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t sent = send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

class LineReader {
 public:
  explicit LineReader(int socket) : socket_(socket) {}
  // The next line without CR LF; false when the client hung up or went quiet.
  bool Next(std::string& line) {
    for (;;) {
      if (const auto end = buffer_.find("\r\n"); end != std::string::npos) {
        line = buffer_.substr(0, end);
        buffer_.erase(0, end + 2);
        return true;
      }
      pollfd descriptor{socket_, POLLIN, 0};
      if (poll(&descriptor, 1, kWaitMilliseconds) <= 0) return false;
      char chunk[4096];
      const ssize_t got = recv(socket_, chunk, sizeof chunk, 0);
      if (got <= 0) return false;
      buffer_.append(chunk, static_cast<size_t>(got));
    }
  }

 private:
  int socket_;
  std::string buffer_;
};

bool Matches(const std::string& expected, const std::string& got) {
  if (!expected.empty() && expected.back() == '*') {
    return got.compare(0, expected.size() - 1, expected, 0, expected.size() - 1) == 0;
  }
  return expected == got;
}

}  // namespace

ScriptedServer::ScriptedServer(std::vector<std::string> script) : script_(std::move(script)) {
  listener_ = ListenOnLoopback(port_);
  // An empty script is a port that was free a moment ago.
  if (script_.empty()) {
    close(listener_);
    listener_ = -1;
    return;
  }
  thread_ = std::thread([this] { Run(); });
}

std::vector<std::string> ScriptedServer::Pop3LoggedIn(const std::vector<std::string>& rows) {
  std::vector<std::string> script = {"S: +OK ready", "C: CAPA",        "S: +OK", "S: USER",         "S: UIDL",
                                     "S: .",         "C: USER bob",    "S: +OK", "C: PASS secret", "S: +OK logged in"};
  script.insert(script.end(), rows.begin(), rows.end());
  return script;
}

std::vector<std::string> ScriptedServer::SmtpGreeting(const std::vector<std::string>& rows) {
  std::vector<std::string> script = {"S: 220 mail.example.test ready", "C: EHLO *", "S: 250-mail.example.test",
                                     "S: 250 8BITMIME"};
  script.insert(script.end(), rows.begin(), rows.end());
  return script;
}

int ScriptedServer::ClosedPort() { return ScriptedServer({}).Port(); }

std::string ScriptedServer::Url(const std::string& scheme) const {
  return (scheme.empty() ? "" : scheme + "://") + "127.0.0.1:" + std::to_string(port_);
}

void ScriptedServer::ExpectPlayed(bool wholeScript) {
  Finish();
  EXPECT_TRUE(mismatches.empty()) << mismatches.front();
  if (wholeScript) {
    EXPECT_TRUE(Consumed()) << "stopped at " << NextRow();
  }
}

ScriptedServer::~ScriptedServer() {
  Finish();
  if (listener_ >= 0) close(listener_);
}

void ScriptedServer::Finish() {
  if (thread_.joinable()) thread_.join();
}

void ScriptedServer::Run() {
  pollfd waiting{listener_, POLLIN, 0};
  if (poll(&waiting, 1, kWaitMilliseconds) <= 0) {
    mismatches.push_back("no client connected");
    return;
  }
  const int client = accept(listener_, nullptr, nullptr);
  if (client < 0) return;
  LineReader reader(client);
  bool open = true;
  while (open && nextRow_ < script_.size()) {
    const std::string& row = script_[nextRow_];
    if (row == "CLOSE") {
      ++nextRow_;
      open = false;
      break;
    }
    if (row.rfind("S: ", 0) == 0) {
      SendAll(client, row.substr(3) + "\r\n");
      ++nextRow_;
      continue;
    }
    const std::string expected = row.substr(3);
    std::string line;
    if (!reader.Next(line)) {
      open = false;
      break;
    }
    if (expected == "<DATA>") {
      std::string message;
      while (line != ".") {
        message += line + "\r\n";
        if (!reader.Next(line)) {
          open = false;
          break;
        }
      }
      data.push_back(message);
    } else if (!Matches(expected, line)) {
      mismatches.push_back("expected \"" + expected + "\", got \"" + line + "\"");
      break;
    }
    ++nextRow_;
  }
  if (open && nextRow_ == script_.size()) {
    std::string ignored;
    while (reader.Next(ignored)) {
    }
  }
  close(client);
}

}  // namespace ostrel::testing
