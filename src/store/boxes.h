#pragma once
// The five mail boxes and the names that belong to each: its box list file,
// its folder under the program folder and its caption in the grid.

#include <array>
#include <string_view>

namespace ostrel::store {

struct BoxInfo {
  std::string_view name;      // "In", also the folder name
  std::string_view listFile;  // "inbox.dat"
  std::string_view caption;   // "InBox"; empty for the Out box, which is never shown
};

inline constexpr std::array<BoxInfo, 5> kBoxes = {{
    {"In", "inbox.dat", "InBox"},
    {"Out", "out.dat", ""},
    {"Trash", "trash.dat", "Trash"},
    {"Junk", "junk.dat", "Junk"},
    {"Sent", "sent.dat", "Sent"},
}};

// Folders that hold attachments rather than messages; they have no index file.
inline constexpr std::array<std::string_view, 3> kAttachmentFolders = {"Save", "Dec", "Enc"};

// The box of that exact name, or nullptr.
const BoxInfo* FindBox(std::string_view name);

// A box the grid can show: "In", "Sent", "Junk" or "Trash".
const BoxInfo* FindShownBox(std::string_view name);

}  // namespace ostrel::store
