#include "store/mail_box.h"

#include <stdexcept>

#include "base/case_insensitive_lookup.h"
#include "base/safe_file.h"
#include "base/write_check.h"
#include "store/box_index.h"
#include "store/store_lock.h"

namespace ostrel::store {
namespace {

const BoxInfo& CheckedBox(std::string_view name) {
  const BoxInfo* box = FindBox(name);
  if (box == nullptr) throw std::invalid_argument("There is no mail box named \"" + std::string(name) + "\".");
  return *box;
}

}  // namespace

MailBox::MailBox(const std::filesystem::path& programFolder, std::string_view boxName)
    : programFolder_(programFolder),
      info_(&CheckedBox(boxName)),
      list_(base::FindIgnoringCase(programFolder, info_->listFile), kBoxRecordLength) {}

MailBox::MailBox(const std::filesystem::path& programFolder, BoxName box)
    : programFolder_(programFolder),
      info_(&InfoOf(box)),
      list_(base::FindIgnoringCase(programFolder, info_->listFile), kBoxRecordLength) {}

std::filesystem::path MailBox::Folder() const { return base::FindIgnoringCase(programFolder_, info_->name); }

std::size_t MailBox::Count() const { return list_.Count(); }

std::optional<std::string> MailBox::ReadBytes(std::size_t n) const { return list_.Read(n); }

std::optional<BoxRecord> MailBox::Read(std::size_t n) const {
  const auto bytes = list_.Read(n);
  if (!bytes) return std::nullopt;
  return BoxRecord::FromBytes(*bytes);
}

std::vector<std::string> MailBox::ReadAllBytes() const { return list_.ReadAll(); }

void MailBox::Append(std::string_view recordBytes) const { list_.Append(recordBytes); }

void MailBox::Rewrite(const std::vector<std::string>& recordBytes) const {
  list_.Rewrite(recordBytes);
}

void MailBox::RequireWritableList() const { base::RequireWritable(list_.Path()); }

std::filesystem::path MailBox::MessagePath(std::string_view messageName, std::string_view extension) const {
  std::string fileName = std::string(messageName) + std::string(extension);
  // A name just issued is free in every letter case: no need to look for it.
  if (messageName == issuedName_) return Folder() / fileName;
  return base::FindIgnoringCase(Folder(), fileName);
}

std::filesystem::path MailBox::TextPath(std::string_view messageName) const { return MessagePath(messageName, ".txt"); }

std::filesystem::path MailBox::WebPath(std::string_view messageName) const { return MessagePath(messageName, ".htm"); }

std::string MailBox::NextMessageName() const {
  issuedName_ = store::NextMessageName(Folder());
  return issuedName_;
}

std::vector<std::string> MailBox::NextMessageNames(std::size_t count) const {
  return store::NextMessageNames(Folder(), count);
}

std::string MailBox::File(BoxRecord record, std::string_view text, const std::optional<std::string>& web) const {
  const StoreLock lock(programFolder_);
  record.MsgFile = NextMessageName();
  base::ReplaceFile(TextPath(record.MsgFile), text);
  if (web) base::ReplaceFile(WebPath(record.MsgFile), *web);
  Append(record);
  return record.MsgFile;
}

}  // namespace ostrel::store
