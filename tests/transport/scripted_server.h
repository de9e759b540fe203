#pragma once
// A plain-text server on a loopback port that plays one conversation from a
// script, for the faults real servers will not produce on demand. Rows:
//   "S: text"   the server sends text and CR LF
//   "C: text"   the next line from the client must be text; a final "*"
//               matches any rest of the line
//   "C: <DATA>" the client sends a message ending with a line "."; it is kept
//   "CLOSE"     the server drops the connection
// After the last row the server reads until the client hangs up.

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace ostrel::testing {

class ScriptedServer {
 public:
  explicit ScriptedServer(std::vector<std::string> script);
  // A POP3 server that greets, offers USER and UIDL, logs bob in with the
  // password "secret" and then plays the rows.
  static std::vector<std::string> Pop3LoggedIn(const std::vector<std::string>& rows);
  // An SMTP server's greeting and its answer to EHLO, then the rows.
  static std::vector<std::string> SmtpGreeting(const std::vector<std::string>& rows);
  // A port where nothing listens.
  static int ClosedPort();
  ScriptedServer(const ScriptedServer&) = delete;
  ScriptedServer& operator=(const ScriptedServer&) = delete;
  ~ScriptedServer();

  int Port() const { return port_; }
  // "scheme://127.0.0.1:port", or "127.0.0.1:port" without a scheme.
  std::string Url(const std::string& scheme) const;
  // Waits for the conversation to end; then the fields below are final.
  void Finish();
  // Finish, then a test failure for a row that did not match or, with
  // wholeScript, for a row the conversation never reached.
  void ExpectPlayed(bool wholeScript = true);

  bool Consumed() const { return nextRow_ == script_.size(); }
  // Rows that did not match, as "expected ... got ..." texts.
  std::vector<std::string> mismatches;
  // Messages received after "C: <DATA>", without the final ".".
  std::vector<std::string> data;
  // The row the script stopped at, for failure messages.
  std::string NextRow() const { return Consumed() ? std::string("(none)") : script_[nextRow_]; }

 private:
  void Run();

  std::vector<std::string> script_;
  size_t nextRow_ = 0;
  int listener_ = -1;
  int port_ = 0;
  std::thread thread_;
};

}  // namespace ostrel::testing
