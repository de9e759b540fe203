#pragma once
// "Check for mail every N minutes": a setting of this program's own, kept in
// "mailcheck.ini" beside the window settings ("window.ini"), never in
// "email.opt", whose fourteen lines other installations read as they are.
//
//   [MailCheck]
//   EveryMinutes=15
//
// 0 minutes, a missing file or a value that cannot be read: no periodic check.

#include <filesystem>
#include <string>
#include <string_view>

namespace ostrel::settings {

inline constexpr std::string_view kMailCheckFileName = "mailcheck.ini";
inline constexpr int kLongestMailCheckMinutes = 24 * 60;
// What the options window offers while the periodic check is off.
inline constexpr int kSuggestedMailCheckMinutes = 15;

// The interval in minutes, 0 for none; a longer one is cut to a day.
int ReadMailCheckMinutes(const std::filesystem::path& programFolder);

// Replaces the file (crash-safe) with the interval, cut to 0..a day. Turning
// the check off where it was never on leaves no file behind.
void WriteMailCheckMinutes(const std::filesystem::path& programFolder, int minutes);

// The file's text for an interval; the reader for a file's text.
std::string MailCheckFileText(int minutes);
int ParseMailCheckMinutes(std::string_view text);

}  // namespace ostrel::settings
