#pragma once
// The POP3 connection the receiving window works through. Message numbers
// count from 1. Every call gives its value or the reason of the failure.

#include <string>
#include <vector>

#include "base/result.h"

namespace ostrel::transport {

// The most messages one mailbox is believed to hold. A server that reports or
// lists more is not believed, so that its numbers cannot make the program
// take memory without bound.
inline constexpr int kMostMessages = 1000000;

class Pop3Connection {
 public:
  virtual ~Pop3Connection() = default;

  // server as in the options: host, host:port, pop3:// or pop3s:// URL.
  // Logs in.
  virtual base::Result<> Connect(const std::string& server, const std::string& userName,
                                 const std::string& password) = 0;
  // Messages waiting.
  virtual base::Result<int> GetTotalOfMails() = 0;
  // Size in bytes.
  virtual base::Result<long long> GetMsgSize(int number) = 0;
  // The server's lasting identifier of the message (UIDL).
  virtual base::Result<std::string> GetMsgId(int number) = 0;
  // The messages about to be retrieved, in the order Retrieve will ask for
  // them. A connection may ask the server for them ahead of time; one that
  // does not need the hint ignores it.
  virtual void WillRetrieve(std::vector<int> numbers) { (void)numbers; }
  // The whole raw message; an empty one is a failure.
  virtual base::Result<std::string> Retrieve(int number) = 0;
  // Marks the message for deletion. The server removes it only when the
  // session ends with an accepted QUIT.
  virtual base::Result<> Delete(int number) = 0;
  // Ends the session. Ok only when the server accepted QUIT: only then are
  // the messages marked by Delete really gone. After a session that broke
  // off the server keeps every message.
  virtual base::Result<> Disconnect() = 0;
};

}  // namespace ostrel::transport
