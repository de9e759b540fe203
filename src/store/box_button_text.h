#pragma once
// The hover text of a box button: the box and how many messages it holds.

#include <filesystem>
#include <string>
#include <string_view>

namespace ostrel::store {

// "In Box (No messages)", "Sent (1 message)", "Trash (2 messages)". Counts
// the records of the box list, creating it empty when it is missing. Empty
// for a name that is not a box the grid shows.
std::string BoxButtonToolTip(const std::filesystem::path& programFolder, std::string_view boxName);

}  // namespace ostrel::store
