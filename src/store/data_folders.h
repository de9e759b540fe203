#pragma once
// The data folders of a program folder: "Save", "Dec" and "Enc" for
// attachments, and the five box folders, each made with an index file
// holding 0. Start-up makes them, and so does every command that writes
// into a program folder that may be new.

#include <filesystem>

namespace ostrel::store {

// Makes the program folder and every missing data folder (0700). A box folder
// made now gets an index file holding 0; a box folder that exists, in any
// letter case, keeps its own. Every failure is ignored: each folder is tried
// on its own, and what cannot be made shows up when it is used.
void MakeDataFolders(const std::filesystem::path& programFolder) noexcept;

}  // namespace ostrel::store
