#include "store/receipt_journal.h"

#include <cerrno>
#include <unistd.h>
#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <system_error>

#include "base/file_system_calls.h"
#include "base/safe_file.h"
#include "base/text_pieces.h"
#include "store/box_record.h"
#include "store/mail_box.h"
#include "store/message_files.h"

namespace ostrel::store {
namespace {

using base::kLineEnd;
constexpr std::string_view kMessageTag = "message";
constexpr std::string_view kFileTag = "file";
constexpr std::string_view kAttachmentFolder = "Save";

std::filesystem::path JournalPath(const std::filesystem::path& programFolder) {
  return programFolder / kReceiptJournalName;
}

std::vector<std::string_view> Split(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const auto end = text.find(separator);
    parts.push_back(text.substr(0, end));
    if (end == std::string_view::npos) return parts;
    text.remove_prefix(end + separator.size());
  }
}

bool IsReceivingBox(std::string_view box) { return box == "In" || box == "Junk"; }

std::optional<std::vector<JournaledReceipt>> ParseJournal(std::string_view text) {
  std::vector<JournaledReceipt> receipts;
  std::vector<std::string_view> lines = Split(text, kLineEnd);
  // The text ends with a line end: the last piece is empty.
  if (lines.back().empty()) lines.pop_back();
  for (const std::string_view line : lines) {
    const auto fields = Split(line, "\t");
    if (fields.size() >= 4 && fields[0] == kMessageTag) {
      // The identifier's line holds TABs of its own: it is the rest.
      const std::string_view rest = line.substr(fields[0].size() + fields[1].size() + fields[2].size() + 3);
      if (!IsReceivingBox(fields[1]) || !IsSafeMessageName(fields[2]) || rest.empty()) return std::nullopt;
      receipts.push_back({std::string(fields[1]), std::string(fields[2]), std::string(rest), {}});
    } else if (fields.size() == 4 && fields[0] == kFileTag && !receipts.empty()) {
      const bool knownFolder = fields[1] == receipts.back().box || fields[1] == kAttachmentFolder;
      if (!knownFolder || !base::IsTemporaryFileName(fields[2]) || !IsSafeMessageName(fields[3])) {
        return std::nullopt;
      }
      receipts.back().files.push_back({std::string(fields[1]), std::string(fields[2]), std::string(fields[3])});
    } else {
      return std::nullopt;
    }
  }
  return receipts;
}

std::filesystem::path ReceivedIdsPath(const std::filesystem::path& programFolder) {
  return programFolder / kReceivedIdsFileName;
}

bool Exists(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

}  // namespace

std::string ReceiptJournalText(const std::vector<JournaledReceipt>& receipts) {
  std::string text;
  for (const auto& receipt : receipts) {
    text += std::string(kMessageTag) + "\t" + receipt.box + "\t" + receipt.name + "\t" + receipt.receivedLine;
    text += kLineEnd;
    for (const auto& file : receipt.files) {
      text += std::string(kFileTag) + "\t" + file.folder + "\t" + file.temporary + "\t" + file.final;
      text += kLineEnd;
    }
  }
  return text;
}

std::vector<std::string> ReadReceivedLines(const std::filesystem::path& programFolder) {
  std::vector<std::string> lines;
  const auto bytes = base::ReadWholeFile(ReceivedIdsPath(programFolder));
  if (!bytes) return lines;
  std::vector<std::string_view> pieces = Split(*bytes, "\n");
  // After the last line break: nothing, or a line whose append a kill cut
  // short, which could name another message ("12" cut to "1").
  pieces.pop_back();
  for (std::string_view line : pieces) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) lines.emplace_back(line);
  }
  return lines;
}

void AppendReceivedLines(const std::filesystem::path& programFolder, const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  const std::filesystem::path path = ReceivedIdsPath(programFolder);
  // A line cut short goes, or the next line would be joined to it.
  if (const auto old = base::ReadWholeFile(path); old && !old->empty() && old->back() != '\n') {
    const auto lastBreak = old->rfind('\n');
    const auto whole = static_cast<off_t>(lastBreak == std::string::npos ? 0 : lastBreak + 1);
    if (::truncate(path.c_str(), whole) != 0) {
      throw std::system_error(errno, std::generic_category(), "cannot write " + path.string());
    }
  }
  std::string bytes;
  for (const auto& line : lines) bytes += line + std::string(kLineEnd);
  base::AppendToFile(path, bytes);
}

void RemoveReceiptJournal(const std::filesystem::path& programFolder) {
  if (!base::RemoveFile(JournalPath(programFolder))) {
    throw std::system_error(errno, std::generic_category(), "cannot remove " + JournalPath(programFolder).string());
  }
  base::SyncFolder(programFolder);
}

bool SettleJournaledReceipt(const std::filesystem::path& programFolder) {
  const auto text = base::ReadWholeFile(JournalPath(programFolder));
  if (!text) return false;
  const auto receipts = ParseJournal(*text);
  if (!receipts) {
    RemoveReceiptJournal(programFolder);
    return true;
  }

  const std::vector<std::string> lines = ReadReceivedLines(programFolder);
  const std::set<std::string> remembered(lines.begin(), lines.end());
  std::map<std::string, std::set<std::string>> named;  // box -> the names its records hold
  std::map<std::string, std::filesystem::path> folders;
  folders[std::string(kAttachmentFolder)] = programFolder / kAttachmentFolder;
  for (const auto& receipt : *receipts) {
    if (named.count(receipt.box) != 0) continue;
    const MailBox box(programFolder, receipt.box);
    folders[receipt.box] = box.Folder();
    auto& names = named[receipt.box];
    for (const auto& record : box.ReadAllBytes()) names.insert(NameKey(MessageNameOf(record)));
  }

  std::set<std::string> touched;
  std::vector<std::string> toRemember;
  for (const auto& receipt : *receipts) {
    const bool remembers = remembered.count(receipt.receivedLine) != 0;
    const bool filed = remembers || named[receipt.box].count(NameKey(receipt.name)) != 0;
    for (const auto& file : receipt.files) {
      const std::filesystem::path folder = folders.at(file.folder);
      const std::filesystem::path temporary = folder / file.temporary;
      if (filed && Exists(temporary)) {
        if (base::Calls().Rename(temporary.c_str(), (folder / file.final).c_str()) != 0) {
          throw std::system_error(errno, std::generic_category(), "cannot rename " + temporary.string());
        }
        touched.insert(file.folder);
      } else if (!filed) {
        // Attachments take their names only after the message is filed: a
        // file of that name in "Save" is another one. Message files own
        // their names, which the box index handed out once.
        const bool ownsName = file.folder == receipt.box;
        if (!base::RemoveFile(temporary) || (ownsName && !base::RemoveFile(folder / file.final))) {
          throw std::system_error(errno, std::generic_category(), "cannot remove a file of " + receipt.name);
        }
        touched.insert(file.folder);
      }
    }
    if (filed && !remembers) toRemember.push_back(receipt.receivedLine);
  }
  for (const auto& folder : touched) base::SyncFolder(folders.at(folder));
  AppendReceivedLines(programFolder, toRemember);
  RemoveReceiptJournal(programFolder);
  return true;
}

}  // namespace ostrel::store
