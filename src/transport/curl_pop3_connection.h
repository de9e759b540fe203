#pragma once
// The POP3 connection over libcurl. libcurl connects, sets up TLS (implicit
// or STLS) and logs in; after that the program speaks POP3 over the same
// connection itself, because libcurl reports neither the answer to QUIT nor
// whether it was sent at all.

#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "transport/curl_session.h"
#include "transport/pop3_connection.h"

namespace ostrel::transport {

class CurlPop3Connection : public Pop3Connection {
 public:
  // programFolder ends with "/"; its "trusted-ca.pem", when present, is
  // trusted besides the system's store.
  explicit CurlPop3Connection(std::filesystem::path programFolder,
                              std::chrono::seconds replyTimeout = std::chrono::seconds(60));
  ~CurlPop3Connection() override;

  base::Result<> Connect(const std::string& server, const std::string& userName,
                         const std::string& password) override;
  base::Result<int> GetTotalOfMails() override;
  base::Result<long long> GetMsgSize(int number) override;
  base::Result<std::string> GetMsgId(int number) override;
  // Where the server offers PIPELINING, Retrieve asks for the messages
  // announced here ahead of the one it reads (up to 32 of them and 2 MiB),
  // so that the server sends the next while the program files the last.
  void WillRetrieve(std::vector<int> numbers) override;
  base::Result<std::string> Retrieve(int number) override;
  base::Result<> Delete(int number) override;
  base::Result<> Disconnect() override;

 private:
  base::Failure LastFailure() const { return {lastError_}; }
  // One command and its one-line answer; the text after "+OK ", or nothing
  // after a failure (lastError_ says which).
  std::optional<std::string> Command(const std::string& command);
  // The one-line answer to the command named, as Command gives it.
  std::optional<std::string> ReadReply(std::string_view commandName);
  // The answer to a RETR already sent, the message without its dot-stuffing.
  base::Result<std::string> ReadMessage(int number);
  // Reads the answers to the retrievals asked for ahead and drops them;
  // false when the session broke meanwhile.
  bool DropAhead();
  long long ListedSize(int number) const;  // 0 when not listed
  long long BytesAhead() const;
  // The lines of the multi-line answer to command, each handed to take as it
  // arrives. An answer with more lines than a mailbox holds, or a line that
  // take refuses (refusedLine says why), breaks the session as not believable.
  bool ReadListing(const std::string& command, std::string_view refusedLine,
                   const std::function<bool(const std::string&)>& take);
  // Sizes and identifiers of every message, fetched once per session.
  bool LoadListings();
  bool SendLine(const std::string& line);
  bool SendBytes(const std::string& bytes);
  // The next line without its CR LF, a view into received_ that the next
  // read may move.
  std::optional<std::string_view> NextLine();
  std::optional<std::string> ReadLine();
  bool WaitForSocket(bool forWriting);
  bool Usable();
  void Break(std::string reason);
  void CloseSession();

  std::filesystem::path programFolder_;
  std::chrono::seconds replyTimeout_;
  std::unique_ptr<CurlSession> session_;
  std::string received_;     // bytes read from the server
  size_t readPosition_ = 0;  // where the lines not yet taken begin
  std::string lastError_;
  bool broken_ = false;
  bool listed_ = false;
  bool pipelining_ = false;  // the server's capabilities list PIPELINING
  std::deque<int> planned_;  // announced retrievals not asked for yet
  std::deque<int> ahead_;    // asked for, in order, their answers not read yet
  std::map<long long, long long> sizes_;
  std::map<long long, std::string> ids_;
};

}  // namespace ostrel::transport
