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
  ScriptedServer(const ScriptedServer&) = delete;
  ScriptedServer& operator=(const ScriptedServer&) = delete;
  ~ScriptedServer();

  int Port() const { return port_; }
  // Waits for the conversation to end; then the fields below are final.
  void Finish();

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
