#pragma once
// A POP3 mailbox for tests, with the faults of a real server on demand:
// a refused login, a line that drops at a given message, a refused DELE, a
// QUIT that never gets through. Deletions take effect only at an accepted
// QUIT, as on a real server.

#include <set>
#include <string>
#include <vector>

#include "transport/pop3_connection.h"

namespace ostrel::transport {

struct FakeMail {
  std::string id;   // the UIDL
  std::string raw;  // the whole message
};

class FakePop3Connection : public Pop3Connection {
 public:
  std::vector<FakeMail> mailbox;  // what the server holds between sessions
  std::string expectedUser = "user";
  std::string expectedPassword = "password";

  bool refuseConnect = false;
  int dropAtRetrieve = 0;           // the line drops while this message is sent
  std::set<int> refuseDelete;       // DELE of these numbers is refused
  bool dropBeforeQuit = false;      // QUIT never reaches the server
  int claimedTotal = -1;            // when not -1, the count STAT gives whatever the mailbox holds

  // What the program did, for assertions.
  int connects = 0;
  std::vector<int> retrieved;
  std::vector<int> deleteRequests;
  bool quitAccepted = false;

  base::Result<> Connect(const std::string& server, const std::string& userName,
                         const std::string& password) override;
  base::Result<int> GetTotalOfMails() override;
  base::Result<long long> GetMsgSize(int number) override;
  base::Result<std::string> GetMsgId(int number) override;
  base::Result<std::string> Retrieve(int number) override;
  base::Result<> Delete(int number) override;
  base::Result<> Disconnect() override;

 private:
  bool Valid(int number);
  base::Failure LastFailure() const { return {lastError_}; }

  bool connected_ = false;
  bool broken_ = false;
  std::set<int> marked_;
  std::string lastError_;
};

}  // namespace ostrel::transport
