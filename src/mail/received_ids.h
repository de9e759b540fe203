#pragma once
// The identifiers (UIDL) of the messages already filed from each account,
// so that mail left on the server is not filed again at the next check.
// "uidl.dat" in the program folder holds one line per message:
// POP3 server, TAB, user name, TAB, identifier, CR LF. A mail check appends
// the lines of each batch it files (store/received_batch.h).

#include <filesystem>
#include <set>
#include <string>

#include "store/receipt_journal.h"

namespace ostrel::mail {

using store::kReceivedIdsFileName;

class ReceivedIds {
 public:
  // The account's identifiers as the file holds them now.
  ReceivedIds(std::filesystem::path programFolder, std::string server, std::string userName);

  bool Contains(const std::string& id) const;
  // The line of the file that remembers the message, without CR LF.
  std::string LineOf(const std::string& id) const;
  // Keeps only these identifiers of this account (the messages still on the
  // server), as the file holds them now; the other accounts' lines stay as
  // they are. The caller holds the store lock.
  void KeepOnly(const std::set<std::string>& ids);

 private:
  std::string Prefix() const;

  std::filesystem::path programFolder_;
  std::string server_;
  std::string userName_;
  std::set<std::string> ids_;
};

}  // namespace ostrel::mail
