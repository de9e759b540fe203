#include "mail/received_ids.h"

#include <vector>

#include "base/safe_file.h"

namespace ostrel::mail {
namespace {

std::string WithoutBreaks(std::string text) {
  for (char& c : text) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

}  // namespace

ReceivedIds::ReceivedIds(std::filesystem::path programFolder, std::string server, std::string userName)
    : programFolder_(std::move(programFolder)),
      server_(WithoutBreaks(std::move(server))),
      userName_(WithoutBreaks(std::move(userName))) {
  const std::string prefix = Prefix();
  for (const auto& line : store::ReadReceivedLines(programFolder_)) {
    if (line.size() > prefix.size() && line.compare(0, prefix.size(), prefix) == 0) {
      ids_.insert(line.substr(prefix.size()));
    }
  }
}

std::string ReceivedIds::Prefix() const { return server_ + "\t" + userName_ + "\t"; }

bool ReceivedIds::Contains(const std::string& id) const { return ids_.count(WithoutBreaks(id)) != 0; }

std::string ReceivedIds::LineOf(const std::string& id) const { return Prefix() + WithoutBreaks(id); }

void ReceivedIds::KeepOnly(const std::set<std::string>& ids) {
  const std::string prefix = Prefix();
  std::set<std::string> onServer;
  for (const auto& id : ids) onServer.insert(WithoutBreaks(id));
  std::string kept;
  std::set<std::string> remaining;
  for (const auto& line : store::ReadReceivedLines(programFolder_)) {
    if (line.compare(0, prefix.size(), prefix) == 0) {
      std::string id = line.substr(prefix.size());
      if (onServer.count(id) == 0 || !remaining.insert(std::move(id)).second) continue;
    }
    kept += line + "\r\n";
  }
  // A check that deleted nothing leaves the file as it is, unflushed again.
  const std::filesystem::path path = programFolder_ / kReceivedIdsFileName;
  if (base::ReadWholeFile(path) != kept) base::ReplaceFile(path, kept);
  ids_ = std::move(remaining);
}

}  // namespace ostrel::mail
