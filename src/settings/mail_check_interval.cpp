#include "settings/mail_check_interval.h"

#include <algorithm>
#include <charconv>

#include "base/safe_file.h"
#include "base/text_pieces.h"

namespace ostrel::settings {
namespace {

constexpr std::string_view kSection = "[MailCheck]";
constexpr std::string_view kKey = "EveryMinutes=";

int Bounded(long long minutes) {
  return static_cast<int>(std::clamp<long long>(minutes, 0, kLongestMailCheckMinutes));
}

}  // namespace

std::string MailCheckFileText(int minutes) {
  return std::string(kSection) + "\n" + std::string(kKey) + std::to_string(Bounded(minutes)) + "\n";
}

int ParseMailCheckMinutes(std::string_view text) {
  bool inSection = false;
  for (const std::string_view untrimmed : base::SplitLines(text)) {
    const std::string_view line = base::TrimBlanksAndTabs(untrimmed);
    if (line.starts_with('[')) {
      inSection = line == kSection;
    } else if (inSection && line.starts_with(kKey)) {
      const std::string_view value = base::TrimBlanksAndTabs(line.substr(kKey.size()));
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
