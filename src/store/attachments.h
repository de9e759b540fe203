#pragma once
// Attachments on disk: "Save" holds them as received or imported, "Dec" the
// deciphered copies of the ".enc" files. CheckAttachments deciphers, the
// attachments window lists both folders and opens or deletes files in them.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/dialogs.h"
#include "base/progress.h"
#include "engine/engine.h"

namespace ostrel::store {

inline constexpr std::string_view kReceivedFolder = "Save";
inline constexpr std::string_view kDecryptedFolder = "Dec";
inline constexpr std::string_view kNoAttachments = "No Attachments.";
inline constexpr std::string_view kSelectReceivedToOpen = "You must select the file you want to open first.";
inline constexpr std::string_view kSelectDecryptedToOpen = "You must select the file(s) you want to open first.";
inline constexpr std::string_view kSelectToDelete = "You must select the file(s) you want to delete first.";

struct AttachmentCheck {
  std::int64_t DecryptedCount = 0;        // ".enc" files deciphered into "Dec"
  std::vector<std::string> failedNames;   // left in "Save": the engine refused them
};

// Deciphers every "*.enc" of "Save" (exact case) under the key loaded last
// into "Dec" under the name without ".enc", and removes the ".enc" file once
// its plain copy is written. A file the engine cannot decipher (no key
// loaded, damaged file) stays in "Save" so that nothing received is lost.
AttachmentCheck CheckAttachments(const std::filesystem::path& programFolder, engine::Engine& engine,
                                 const base::ProgressReport& progress = {});

// The ordinary files of a folder, sorted by name; empty when it is missing.
std::vector<std::string> ListAttachmentFiles(const std::filesystem::path& folder);

// Which list of the attachments window a command works on.
enum class AttachmentList { Received, Decrypted };

// "Open" under a list: opens every selected file in list order with open().
// With nothing selected, tells the person so.
void OpenAttachments(const std::filesystem::path& programFolder, AttachmentList list,
                     const std::vector<std::string>& selectedNames, base::Dialogs& dialogs,
                     const std::function<void(const std::filesystem::path&)>& open);

// "Delete" under a list: deletes every selected file without asking. With
// nothing selected, tells the person so.
void DeleteAttachments(const std::filesystem::path& programFolder, AttachmentList list,
                       const std::vector<std::string>& selectedNames, base::Dialogs& dialogs);

}  // namespace ostrel::store
