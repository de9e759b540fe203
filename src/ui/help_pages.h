#pragma once
// The four help pages live in the program folder; the program carries a copy
// of each and writes the ones that are missing.

#include <array>
#include <filesystem>
#include <string_view>

namespace ostrel::ui {

inline constexpr std::array<std::string_view, 4> kHelpPages = {"oxmover.htm", "oxmkey.htm", "oxmsend.htm",
                                                               "oxmrecv.htm"};

// Writes every help page that is not in the program folder yet; a page the
// user has changed stays as it is. Failures are ignored: the browser then
// shows its page-not-found text.
void InstallHelpPages(const std::filesystem::path& programFolder);

}  // namespace ostrel::ui
