#include "transport/fake_pop3_connection.h"

namespace ostrel::transport {

base::Result<> FakePop3Connection::Connect(const std::string&, const std::string& userName,
                                           const std::string& password) {
  ++connects;
  marked_.clear();
  broken_ = false;
  quitAccepted = false;
  if (refuseConnect || userName != expectedUser || password != expectedPassword) {
    connected_ = false;
    return base::Failure{"The mail server refused the login: check the user name and password."};
  }
  connected_ = true;
  return {};
}

bool FakePop3Connection::Valid(int number) {
  if (!connected_ || broken_) {
    lastError_ = "The connection to the mail server was lost.";
    return false;
  }
  if (number < 1 || static_cast<size_t>(number) > mailbox.size() || marked_.count(number) != 0) {
    lastError_ = "The mail server refused the command: no such message.";
    return false;
  }
  return true;
}

base::Result<int> FakePop3Connection::GetTotalOfMails() {
  if (!connected_ || broken_) return base::Failure{"The connection to the mail server was lost."};
  return claimedTotal != -1 ? claimedTotal : static_cast<int>(mailbox.size());
}

base::Result<long long> FakePop3Connection::GetMsgSize(int number) {
  if (!Valid(number)) return LastFailure();
  return static_cast<long long>(mailbox[static_cast<size_t>(number - 1)].raw.size());
}

base::Result<std::string> FakePop3Connection::GetMsgId(int number) {
  if (!Valid(number)) return LastFailure();
  return mailbox[static_cast<size_t>(number - 1)].id;
}

base::Result<std::string> FakePop3Connection::Retrieve(int number) {
  if (!Valid(number)) return LastFailure();
  if (number == dropAtRetrieve) {
    broken_ = true;
    return base::Failure{"The connection to the mail server was lost."};
  }
  retrieved.push_back(number);
  return mailbox[static_cast<size_t>(number - 1)].raw;
}

base::Result<> FakePop3Connection::Delete(int number) {
  if (!Valid(number)) return LastFailure();
  deleteRequests.push_back(number);
  if (refuseDelete.count(number) != 0) return base::Failure{"The mail server refused \"DELE\"."};
  marked_.insert(number);
  return {};
}

base::Result<> FakePop3Connection::Disconnect() {
  const bool wasUsable = connected_ && !broken_ && !dropBeforeQuit;
  connected_ = false;
  if (!wasUsable) {
    marked_.clear();
    return base::Failure{"The connection to the mail server was lost."};
  }
  std::vector<FakeMail> kept;
  for (size_t i = 0; i < mailbox.size(); ++i) {
    if (marked_.count(static_cast<int>(i + 1)) == 0) kept.push_back(mailbox[i]);
  }
  mailbox = std::move(kept);
  marked_.clear();
  quitAccepted = true;
  return {};
}

}  // namespace ostrel::transport
