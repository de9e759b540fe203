#include "transport/received_ids.h"

#include "base/safe_file.h"

namespace ostrel::transport {
namespace {

std::string WithoutBreaks(std::string text) {
  for (char& c : text) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

}  // namespace

ReceivedIds::ReceivedIds(std::filesystem::path programFolder, std::string server, std::string userName)
    : path_(std::move(programFolder) / kReceivedIdsFileName),
      server_(WithoutBreaks(std::move(server))),
      userName_(WithoutBreaks(std::move(userName))) {
  const auto bytes = base::ReadWholeFile(path_);
  if (!bytes) return;
  const std::string prefix = server_ + "\t" + userName_ + "\t";
  size_t start = 0;
  while (start < bytes->size()) {
    auto end = bytes->find('\n', start);
    if (end == std::string::npos) end = bytes->size();
    std::string line = bytes->substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.compare(0, prefix.size(), prefix) == 0 && line.size() > prefix.size()) {
      ids_.insert(line.substr(prefix.size()));
    }
    start = end + 1;
  }
}

std::string ReceivedIds::Line(const std::string& id) const {
  return server_ + "\t" + userName_ + "\t" + WithoutBreaks(id) + "\r\n";
}

void ReceivedIds::Add(const std::string& id) {
  if (!ids_.insert(id).second) return;
  base::AppendToFile(path_, Line(id));
}

void ReceivedIds::KeepOnly(const std::set<std::string>& ids) {
  std::string kept;
  const auto bytes = base::ReadWholeFile(path_);
  const std::string prefix = server_ + "\t" + userName_ + "\t";
  if (bytes) {
    size_t start = 0;
    while (start < bytes->size()) {
      auto end = bytes->find('\n', start);
      if (end == std::string::npos) end = bytes->size();
      const std::string line = bytes->substr(start, end - start + 1);
      if (line.compare(0, prefix.size(), prefix) != 0 && !line.empty()) {
        kept += line;
        if (kept.back() != '\n') kept += "\r\n";
      }
      start = end + 1;
    }
  }
  std::set<std::string> remaining;
  for (const auto& id : ids_) {
    if (ids.count(id) != 0) {
      kept += Line(id);
      remaining.insert(id);
    }
  }
  base::ReplaceFile(path_, kept);
  ids_ = std::move(remaining);
}

}  // namespace ostrel::transport
