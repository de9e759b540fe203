#pragma once
// The five mail boxes and the names that belong to each: its box list file,
// its folder under the program folder and its caption in the grid. The code
// names a box by BoxName; its texts come from this table only.

#include <array>
#include <cstddef>
#include <string_view>

namespace ostrel::store {

// In the order of kBoxes.
enum class BoxName { In, Out, Trash, Junk, Sent };

struct BoxInfo {
  BoxName box;
  std::string_view name;      // "In", also the folder name
  std::string_view listFile;  // "inbox.dat"
  std::string_view caption;   // "InBox"; empty for the Out box, which is never shown
};

inline constexpr std::array<BoxInfo, 5> kBoxes = {{
    {BoxName::In, "In", "inbox.dat", "InBox"},
    {BoxName::Out, "Out", "out.dat", ""},
    {BoxName::Trash, "Trash", "trash.dat", "Trash"},
    {BoxName::Junk, "Junk", "junk.dat", "Junk"},
    {BoxName::Sent, "Sent", "sent.dat", "Sent"},
}};

// Folders that hold attachments rather than messages; they have no index file.
inline constexpr std::array<std::string_view, 3> kAttachmentFolders = {"Save", "Dec", "Enc"};

constexpr const BoxInfo& InfoOf(BoxName box) { return kBoxes[static_cast<std::size_t>(box)]; }
// "In", "Sent"...: the box's folder and the name the flows and journals use.
constexpr std::string_view NameOf(BoxName box) { return InfoOf(box).name; }
// "In", "Sent", "Junk" and "Trash"; never Out.
constexpr bool IsShown(BoxName box) { return !InfoOf(box).caption.empty(); }

// The box of that exact name, or nullptr.
const BoxInfo* FindBox(std::string_view name);

// A box the grid can show: "In", "Sent", "Junk" or "Trash".
const BoxInfo* FindShownBox(std::string_view name);

}  // namespace ostrel::store
