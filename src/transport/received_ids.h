#pragma once
// The identifiers (UIDL) of the messages already filed from each account,
// so that mail left on the server is not filed again at the next check.
// "uidl.dat" in the program folder holds one line per message:
// POP3 server, TAB, user name, TAB, identifier, CR LF.

#include <filesystem>
#include <set>
#include <string>

namespace ostrel::transport {

inline constexpr const char* kReceivedIdsFileName = "uidl.dat";

class ReceivedIds {
 public:
  ReceivedIds(std::filesystem::path programFolder, std::string server, std::string userName);

  bool Contains(const std::string& id) const { return ids_.count(id) != 0; }
  // Records a filed message, flushed to disk before it returns.
  void Add(const std::string& id);
  // Keeps only these identifiers of this account (the messages still on the
  // server); the other accounts' lines stay as they are.
  void KeepOnly(const std::set<std::string>& ids);

 private:
  std::string Line(const std::string& id) const;

  std::filesystem::path path_;
  std::string server_;
  std::string userName_;
  std::set<std::string> ids_;
};

}  // namespace ostrel::transport
