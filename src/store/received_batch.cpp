#include "store/received_batch.h"

#include <map>
#include <set>
#include <system_error>
#include <utility>

#include "base/unique_file_name.h"
#include "store/journals.h"
#include "store/mail_box.h"
#include "store/receipt_journal.h"
#include "store/store_lock.h"

namespace ostrel::store {
namespace {

constexpr const char* kAttachmentFolder = "Save";

std::unique_ptr<base::PendingFile> Written(const std::filesystem::path& target, const std::string& bytes) {
  auto file = std::make_unique<base::PendingFile>(target);
  file->Write(bytes);
  file->Close();
  return file;
}

}  // namespace

struct ReceivedBatch::Pending {
  std::string box;
  BoxRecord record;
  std::string receivedLine;
  std::unique_ptr<base::PendingFile> text;
  std::unique_ptr<base::PendingFile> web;
  std::vector<std::pair<std::string, std::unique_ptr<base::PendingFile>>> attachments;  // by name
};

ReceivedBatch::ReceivedBatch(std::filesystem::path programFolder) : programFolder_(std::move(programFolder)) {}

ReceivedBatch::~ReceivedBatch() = default;

void ReceivedBatch::Add(const IncomingMessage& message) {
  auto pending = std::make_unique<Pending>();
  // Looked up once per box, not once per message: the lookup lists folders.
  auto box = boxes_.find(message.box);
  if (box == boxes_.end()) {
    const MailBox mailBox(programFolder_, message.box);
    box = boxes_.emplace(message.box, std::make_pair(mailBox.Info().name, mailBox.Folder())).first;
  }
  pending->box = box->second.first;
  pending->record = message.record;
  pending->receivedLine = message.receivedLine;
  // Named when the batch is filed; until then only the folder counts.
  const std::filesystem::path& folder = box->second.second;
  pending->text = Written(folder / "MSG.txt", message.text);
  pending->web = Written(folder / "MSG.htm", message.web);
  for (const auto& attachment : message.attachments) {
    pending->attachments.emplace_back(attachment.name,
                                      Written(programFolder_ / kAttachmentFolder / attachment.name, attachment.bytes));
    bytes_ += attachment.bytes.size();
  }
  bytes_ += message.text.size() + message.web.size();
  pending_.push_back(std::move(pending));
}

std::vector<FiledMessage> ReceivedBatch::File() {
  if (pending_.empty()) return {};
  std::vector<FiledMessage> filed;
  {
    const StoreLock lock(programFolder_);
    filed = FileUnderLock();
  }
  pending_.clear();
  bytes_ = 0;
  return filed;
}

std::vector<FiledMessage> ReceivedBatch::FileUnderLock() {
  // A killed run's batch first: it may hold some of these very messages.
  SettleJournals(programFolder_);
  const std::vector<std::string> lines = ReadReceivedLines(programFolder_);
  std::set<std::string> remembered(lines.begin(), lines.end());
  std::vector<Pending*> batch;
  std::map<std::string, std::size_t> perBox;
  for (const auto& pending : pending_) {
    // Filed by another run meanwhile, or listed twice by the server.
    if (!remembered.insert(pending->receivedLine).second) continue;
    batch.push_back(pending.get());
    ++perBox[pending->box];
  }
  if (batch.empty()) return {};

  std::map<std::string, std::filesystem::path> boxFolders;
  std::map<std::string, std::vector<std::string>> names;
  for (const auto& [box, count] : perBox) {
    const MailBox mailBox(programFolder_, box);
    boxFolders[box] = mailBox.Folder();
    names[box] = mailBox.NextMessageNames(count);
  }
  const std::filesystem::path saveFolder = programFolder_ / kAttachmentFolder;
  std::set<std::string> takenInSave;
  std::vector<JournaledReceipt> receipts;
  std::vector<std::filesystem::path> toFlush;
  std::map<std::string, std::size_t> used;
  for (Pending* pending : batch) {
    const std::string name = names[pending->box][used[pending->box]++];
    pending->record.MsgFile = name;
    const std::filesystem::path& folder = boxFolders[pending->box];
    // Names the index has just handed out are free in every letter case.
    pending->web->SetTarget(folder / (name + ".htm"));
    pending->text->SetTarget(folder / (name + ".txt"));
    JournaledReceipt receipt{pending->box, name, pending->receivedLine, {}};
    for (const auto* file : {pending->web.get(), pending->text.get()}) {
      receipt.files.push_back({pending->box, file->TemporaryPath().filename().string(),
                               file->Target().filename().string()});
      toFlush.push_back(file->TemporaryPath());
    }
    for (auto& [attachmentName, file] : pending->attachments) {
      const std::filesystem::path target = base::UniqueFileName(saveFolder, attachmentName, takenInSave);
      takenInSave.insert(target.filename().string());
      file->SetTarget(target);
      receipt.files.push_back({kAttachmentFolder, file->TemporaryPath().filename().string(),
                               target.filename().string()});
      toFlush.push_back(file->TemporaryPath());
    }
    receipts.push_back(std::move(receipt));
  }

  // The batch's files and its journal reach the disk together, before any
  // of them takes its name.
  base::PendingFile journal(programFolder_ / kReceiptJournalName);
  journal.Write(ReceiptJournalText(receipts));
  journal.Close();
  toFlush.push_back(journal.TemporaryPath());
  base::FlushTogether(toFlush);
  journal.Commit();
  base::SyncFolder(programFolder_);

  try {
    for (Pending* pending : batch) {
      pending->web->Commit();
      pending->text->Commit();
    }
    for (const auto& [box, folder] : boxFolders) base::SyncFolder(folder);
    std::map<std::string, std::vector<std::string>> records;
    for (const Pending* pending : batch) records[pending->box].push_back(pending->record.ToBytes());
    for (const auto& [box, boxRecords] : records) MailBox(programFolder_, box).Append(boxRecords);
    std::vector<std::string> newLines;
    for (const Pending* pending : batch) newLines.push_back(pending->receivedLine);
    AppendReceivedLines(programFolder_, newLines);
    bool anyAttachment = false;
    for (Pending* pending : batch) {
      for (auto& attachment : pending->attachments) {
        attachment.second->Commit();
        anyAttachment = true;
      }
    }
    if (anyAttachment) base::SyncFolder(saveFolder);
    RemoveReceiptJournal(programFolder_);
  } catch (...) {
    // The journal says how to finish or take back the batch; what it names
    // stays for the next run when even that fails.
    try {
      SettleJournaledReceipt(programFolder_);
    } catch (...) {
      for (Pending* pending : batch) {
        for (auto& attachment : pending->attachments) attachment.second->Release();
      }
    }
    throw;
  }

  std::vector<FiledMessage> filed;
  for (const Pending* pending : batch) {
    FiledMessage message{pending->box, pending->record.MessageName(), {}, pending->receivedLine};
    for (const auto& attachment : pending->attachments) message.attachments.push_back(attachment.second->Target());
    filed.push_back(std::move(message));
  }
  return filed;
}

}  // namespace ostrel::store
