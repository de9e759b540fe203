#pragma once
// The four help pages live in the program folder. An installed program ships
// them in "<prefix>/share/ostrel-email/"; the program also carries a copy of
// each, for a build tree. Missing pages are written from those.

#include <array>
#include <filesystem>
#include <optional>
#include <string_view>

namespace ostrel::ui {

inline constexpr std::array<std::string_view, 4> kHelpPages = {"oxmover.htm", "oxmkey.htm", "oxmsend.htm",
                                                               "oxmrecv.htm"};

// Writes every help page that is not in the program folder yet, from the
// installed pages of the running program when it is installed; a page the
// user has changed stays as it is. Failures are ignored: the browser then
// shows its page-not-found text.
void InstallHelpPages(const std::filesystem::path& programFolder);

// The same from a given folder of installed pages (nothing: the program's own
// copies only). A page missing there is taken from the program's own copy.
void InstallHelpPages(const std::filesystem::path& programFolder,
                      const std::optional<std::filesystem::path>& installedPages);

}  // namespace ostrel::ui
