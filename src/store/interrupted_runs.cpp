#include "store/interrupted_runs.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <map>
#include <set>
#include <string_view>
#include <system_error>

#include "base/safe_file.h"
#include "settings/address_book.h"
#include "store/box_record.h"
#include "store/boxes.h"
#include "store/date_text.h"
#include "store/mail_box.h"
#include "store/message_files.h"
#include "store/move_journal.h"
#include "store/receipt_journal.h"
#include "store/store_lock.h"

namespace ostrel::store {
namespace {

// Scratch files of earlier versions, which wrote under fixed names.
constexpr std::array<std::string_view, 2> kEarlierScratchFiles = {"temp.dat", settings::kAddressScratchFileName};
constexpr std::string_view kEarlierTemporarySuffix = ".new";

std::vector<std::string> FileNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (it->symlink_status(error).type() == std::filesystem::file_type::regular) {
      names.push_back(it->path().filename().string());
    }
  }
  return names;
}

enum class FolderKind { Program, Box, Attachments };

// Whether earlier versions left this file as their temporary file. Only a box
// folder holds nothing of the user's, so any ".new" file there is one.
bool EarlierTemporaryFile(FolderKind kind, const std::string& name) {
  switch (kind) {
    case FolderKind::Program:
      return std::find(kEarlierScratchFiles.begin(), kEarlierScratchFiles.end(), name) != kEarlierScratchFiles.end();
    case FolderKind::Box:
      return name.ends_with(kEarlierTemporarySuffix);
    case FolderKind::Attachments:
      return false;
  }
  return false;
}

// Removes the temporary files of runs that have ended.
void RemoveTemporaryFiles(const std::filesystem::path& folder, FolderKind kind, Tidied& tidied) {
  for (const auto& name : FileNames(folder)) {
    if (!EarlierTemporaryFile(kind, name) && !base::IsLeftoverTemporaryFileName(name)) continue;
    if (base::RemoveFile(folder / name)) tidied.removedFiles.push_back(folder / name);
  }
}

// "MSG12.txt" and "MSG12.htm" give 12 and "MSG12" (the name in any case);
// only names that fit a record's MsgFile.
bool ParseMessageFileName(const std::string& fileName, std::uint64_t& number, std::string& name) {
  if (fileName.size() < 8 || fileName.size() > 4 + kMsgFileWidth) return false;
  if (!fileName.ends_with(".txt") && !fileName.ends_with(".htm")) return false;
  name = fileName.substr(0, fileName.size() - 4);
  const std::string key = NameKey(name);
  const std::string_view digits = std::string_view(key).substr(3);
  if (!key.starts_with("MSG") || digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) {
    return false;
  }
  number = std::stoull(std::string(digits));
  return true;
}

std::chrono::system_clock::time_point ModifiedAt(const std::filesystem::path& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return std::chrono::system_clock::now();
  return std::chrono::system_clock::from_time_t(status.st_mtime);
}

// Message files no record of the box names get a record again, in number
// order, so that the person sees them and decides; they are never deleted
// unseen.
void RelistMessageFiles(const std::filesystem::path& programFolder, std::string_view boxName, Tidied& tidied) {
  const MailBox box(programFolder, boxName);
  std::set<std::string> named;
  for (const auto& record : box.ReadAllBytes()) named.insert(NameKey(MessageNameOf(record)));
  // By number, then by name: whether the name has a text file.
  std::map<std::uint64_t, std::map<std::string, bool>> unnamed;
  for (const auto& fileName : FileNames(box.Folder())) {
    std::uint64_t number = 0;
    std::string name;
    if (!ParseMessageFileName(fileName, number, name) || named.count(NameKey(name)) != 0) continue;
    bool& hasText = unnamed[number][name];
    hasText = hasText || fileName.ends_with(".txt");
  }
  for (const auto& [number, names] : unnamed) {
    for (const auto& [name, hasText] : names) {
      const std::filesystem::path text = box.TextPath(name);
      // A web file alone was cut off before its text file: the text file
      // holds the same page then, as for mail without a text part.
      if (!hasText && !CopyFileSafely(box.WebPath(name), text)) continue;
      box.Append(BoxRecord{"", kRecoveredFrom, kRecoveredSubject, GeneralDateText(ModifiedAt(text)), name});
      tidied.relistedMessages.push_back(std::string(boxName) + "/" + name);
    }
  }
}

template <typename Step>
void Try(Step step) noexcept {
  try {
    step();
  } catch (...) {
    // Left for the next start.
  }
}

}  // namespace

Tidied TidyAfterInterruptedRuns(const std::filesystem::path& programFolder) noexcept {
  Tidied tidied;
  std::error_code error;
  if (!std::filesystem::is_directory(programFolder, error)) return tidied;
  Try([&] {
    const StoreLock lock(programFolder);
    // First what the journals say, which may still need temporary files.
    Try([&] { tidied.settledReceipt = SettleJournaledReceipt(programFolder); });
    Try([&] { tidied.settledMove = SettleJournaledMove(programFolder); });
    Try([&] { RemoveTemporaryFiles(programFolder, FolderKind::Program, tidied); });
    for (const auto folder : kAttachmentFolders) {
      Try([&] { RemoveTemporaryFiles(programFolder / std::string(folder), FolderKind::Attachments, tidied); });
    }
    for (const auto& box : kBoxes) {
      Try([&] { RemoveTemporaryFiles(programFolder / std::string(box.name), FolderKind::Box, tidied); });
    }
    // The Out box holds no message files: one there is no outgoing message.
    for (const auto& box : kBoxes) {
      if (!box.caption.empty()) Try([&] { RelistMessageFiles(programFolder, box.name, tidied); });
    }
  });
  return tidied;
}

}  // namespace ostrel::store
