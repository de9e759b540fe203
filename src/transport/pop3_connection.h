#pragma once
// The POP3 connection the receiving window works through. Message numbers
// count from 1. Every failure leaves its reason in LastError.

#include <string>

namespace ostrel::transport {

// The most messages one mailbox is believed to hold. A server that reports or
// lists more is not believed, so that its numbers cannot make the program
// take memory without bound.
inline constexpr int kMostMessages = 1000000;

class Pop3Connection {
 public:
  virtual ~Pop3Connection() = default;

  // server as in the options: host, host:port, pop3:// or pop3s:// URL.
  // 0 when logged in.
  virtual int Connect(const std::string& server, const std::string& userName,
                      const std::string& password) = 0;
  // Messages waiting, or -1.
  virtual int GetTotalOfMails() = 0;
  // Size in bytes, or -1.
  virtual long long GetMsgSize(int number) = 0;
  // The server's lasting identifier of the message (UIDL), or "".
  virtual std::string GetMsgId(int number) = 0;
  // The whole raw message, or "".
  virtual std::string Retrieve(int number) = 0;
  // Marks the message for deletion; 0 when the server agreed. The server
  // removes it only when the session ends with an accepted QUIT.
  virtual int Delete(int number) = 0;
  // Ends the session. True only when the server accepted QUIT: only then are
  // the messages marked by Delete really gone. A session that broke off
  // returns false, and the server keeps every message.
  virtual bool Disconnect() = 0;

  virtual std::string LastError() const = 0;
};

}  // namespace ostrel::transport
