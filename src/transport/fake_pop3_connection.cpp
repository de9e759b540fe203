#include "transport/fake_pop3_connection.h"

namespace ostrel::transport {

int FakePop3Connection::Connect(const std::string&, const std::string& userName,
                                const std::string& password) {
  ++connects;
  marked_.clear();
  broken_ = false;
  quitAccepted = false;
  if (refuseConnect || userName != expectedUser || password != expectedPassword) {
    lastError_ = "The mail server refused the login: check the user name and password.";
    connected_ = false;
    return 1;
  }
  connected_ = true;
  return 0;
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

int FakePop3Connection::GetTotalOfMails() {
  if (!connected_ || broken_) return -1;
  return claimedTotal != -1 ? claimedTotal : static_cast<int>(mailbox.size());
}

long long FakePop3Connection::GetMsgSize(int number) {
  return Valid(number) ? static_cast<long long>(mailbox[static_cast<size_t>(number - 1)].raw.size()) : -1;
}

std::string FakePop3Connection::GetMsgId(int number) {
  return Valid(number) ? mailbox[static_cast<size_t>(number - 1)].id : std::string();
}

std::string FakePop3Connection::Retrieve(int number) {
  if (!Valid(number)) return {};
  if (number == dropAtRetrieve) {
    broken_ = true;
    lastError_ = "The connection to the mail server was lost.";
    return {};
  }
  retrieved.push_back(number);
  return mailbox[static_cast<size_t>(number - 1)].raw;
}

int FakePop3Connection::Delete(int number) {
  if (!Valid(number)) return 1;
  deleteRequests.push_back(number);
  if (refuseDelete.count(number) != 0) {
    lastError_ = "The mail server refused \"DELE\".";
    return 1;
  }
  marked_.insert(number);
  return 0;
}

bool FakePop3Connection::Disconnect() {
  const bool wasUsable = connected_ && !broken_ && !dropBeforeQuit;
  connected_ = false;
  if (!wasUsable) {
    marked_.clear();
    return false;
  }
  std::vector<FakeMail> kept;
  for (size_t i = 0; i < mailbox.size(); ++i) {
    if (marked_.count(static_cast<int>(i + 1)) == 0) kept.push_back(mailbox[i]);
  }
  mailbox = std::move(kept);
  marked_.clear();
  quitAccepted = true;
  return true;
}

}  // namespace ostrel::transport
