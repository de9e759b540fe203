#include "store/attachments.h"

#include <algorithm>
#include <system_error>

#include "base/folder_files.h"
#include "base/safe_file.h"

namespace ostrel::store {
namespace {

constexpr std::string_view kEncEnding = ".enc";

std::filesystem::path FolderOf(const std::filesystem::path& programFolder, AttachmentList list) {
  return programFolder / (list == AttachmentList::Received ? kReceivedFolder : kDecryptedFolder);
}

// A name from a list must stay inside its folder.
bool IsPlainName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

}  // namespace

std::vector<std::string> ListAttachmentFiles(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& file : base::RegularFilesIn(folder)) names.push_back(file.filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

AttachmentCheck CheckAttachments(const std::filesystem::path& programFolder, engine::Engine& engine,
                                 const base::ProgressReport& progress) {
  AttachmentCheck check;
  const auto received = programFolder / kReceivedFolder;
  std::vector<std::string> encNames;
  for (auto& name : ListAttachmentFiles(received)) {
    if (name.size() > kEncEnding.size() && name.ends_with(kEncEnding)) encNames.push_back(std::move(name));
  }
  std::vector<std::filesystem::path> pendingEncFiles;
  for (std::size_t i = 0; i < encNames.size(); ++i) {
    base::Report(progress, i, encNames.size());
    const std::string& name = encNames[i];
    const auto plainName = name.substr(0, name.size() - kEncEnding.size());
    const auto deciphered = programFolder / kDecryptedFolder / plainName;
    try {
      engine.DecryptFile(received / name, deciphered);
    } catch (const std::exception&) {
      check.failedNames.push_back(name);
      continue;
    }
    // The ".enc" file goes only once its plain copy is safely on disk.
    if (!base::SyncFile(deciphered)) continue;
    pendingEncFiles.push_back(received / name);
    ++check.DecryptedCount;
  }
  base::Report(progress, encNames.size(), encNames.size());
  base::SyncFolder(programFolder / kDecryptedFolder);
  // Removed only after the listing, so that the listing stays intact.
  for (const auto& path : pendingEncFiles) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
  }
  return check;
}

void OpenAttachments(const std::filesystem::path& programFolder, AttachmentList list,
                     const std::vector<std::string>& selectedNames, base::Dialogs& dialogs,
                     const std::function<void(const std::filesystem::path&)>& open) {
  if (selectedNames.empty()) {
    dialogs.Show(
        base::PlainBox(std::string(list == AttachmentList::Received ? kSelectReceivedToOpen : kSelectDecryptedToOpen)));
    return;
  }
  const auto folder = FolderOf(programFolder, list);
  for (const auto& name : selectedNames) {
    if (IsPlainName(name)) open(folder / name);
  }
}

void DeleteAttachments(const std::filesystem::path& programFolder, AttachmentList list,
                       const std::vector<std::string>& selectedNames, base::Dialogs& dialogs) {
  if (selectedNames.empty()) {
    dialogs.Show(base::PlainBox(std::string(kSelectToDelete)));
    return;
  }
  const auto folder = FolderOf(programFolder, list);
  for (const auto& name : selectedNames) {
    std::error_code ignored;
    if (IsPlainName(name)) std::filesystem::remove(folder / name, ignored);
  }
}

}  // namespace ostrel::store
