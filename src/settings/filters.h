#pragma once
// The junk filter words in "filter.dat": one word or phrase per line, each
// line ended by CR LF, taken exactly as typed.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/dialogs.h"
#include "settings/mail_options.h"

namespace ostrel::settings {

inline constexpr std::string_view kFilterFileName = "filter.dat";
inline constexpr std::size_t kMaxFilterEntries = 5000;
inline constexpr std::string_view kFiltersLabel =
    "Enter words or phrases for Filtering.  This will scan both Subject and Body and will place in the Junk "
    "folder when found.";

// The filters window's text box as it opens: every line of the file, empty
// ones included, each followed by CR LF. Creates an empty "filter.dat" when
// it is missing.
std::string LoadFilterText(const std::filesystem::path& programFolder);

// "Save": rewrites "filter.dat" with the box text and CR LF unless the box is
// empty, then reminds the user when filtering is switched off.
void SaveFilterText(const std::filesystem::path& programFolder, std::string_view boxText,
                    const MailOptions& mailOptions, base::Dialogs& dialogs);

// The entries receiving tests mail against: the non-empty lines, whole, at
// most 5000 of them.
std::vector<std::string> ReadFilterEntries(const std::filesystem::path& programFolder);

}  // namespace ostrel::settings
