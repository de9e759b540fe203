#pragma once
// The first-run notice and its marker "opt.dne": only the marker's length
// matters, and a length above 0 means the user asked not to see it again.

#include <filesystem>
#include <string_view>

namespace ostrel::settings {

inline constexpr std::string_view kNoticeMarkerFileName = "opt.dne";
inline constexpr std::string_view kNoticeCaption = "Important Notice";
inline constexpr std::string_view kNoticeText =
    "This is version 6 of Email first released 13 June, 2005.  If you are planning on communicating with someone "
    "who has downloaded the version prior to 13 June, 2005 (version 4), they will need to upgrade before "
    "communication can take place, create their keys and send them to you.";
inline constexpr std::string_view kNoticeCheckBox = "Do not show this again";

// True when the notice is still due. Creates an empty marker when it is
// missing, as the main window's test does.
bool NoticeDue(const std::filesystem::path& programFolder);

// Closing the notice by whatever means: with "Do not show this again"
// ticked the marker gets the line "Done"; otherwise nothing is written.
void CloseNotice(const std::filesystem::path& programFolder, bool doNotShowAgain);

}  // namespace ostrel::settings
