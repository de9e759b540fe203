#include "settings/mail_check_interval.h"

#include <algorithm>
#include <charconv>

#include "base/safe_file.h"

namespace ostrel::settings {
namespace {

constexpr std::string_view kSection = "[MailCheck]";
constexpr std::string_view kKey = "EveryMinutes=";

std::string_view Trimmed(std::string_view line) {
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) line.remove_suffix(1);
  return line;
}

int Bounded(long long minutes) {
  return static_cast<int>(std::clamp<long long>(minutes, 0, kLongestMailCheckMinutes));
}

}  // namespace

std::string MailCheckFileText(int minutes) {
  return std::string(kSection) + "\n" + std::string(kKey) + std::to_string(Bounded(minutes)) + "\n";
}

int ParseMailCheckMinutes(std::string_view text) {
  bool inSection = false;
  while (!text.empty()) {
    const auto end = text.find('\n');
    const std::string_view line = Trimmed(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.starts_with('[')) {
      inSection = line == kSection;
    } else if (inSection && line.starts_with(kKey)) {
      const std::string_view value = Trimmed(line.substr(kKey.size()));
      long long minutes = 0;
      const auto [rest, error] = std::from_chars(value.data(), value.data() + value.size(), minutes);
      if (error != std::errc() || rest != value.data() + value.size()) return 0;
      return Bounded(minutes);
    }
  }
  return 0;
}

int ReadMailCheckMinutes(const std::filesystem::path& programFolder) {
  const auto text = base::ReadWholeFile(programFolder / kMailCheckFileName);
  return text ? ParseMailCheckMinutes(*text) : 0;
}

void WriteMailCheckMinutes(const std::filesystem::path& programFolder, int minutes) {
  const auto path = programFolder / kMailCheckFileName;
  if (Bounded(minutes) == 0 && !std::filesystem::exists(path)) return;
  base::ReplaceFile(path, MailCheckFileText(minutes));
}

}  // namespace ostrel::settings
