#include "store/mail_box.h"

#include <stdexcept>

#include "base/safe_file.h"
#include "base/write_check.h"
#include "store/box_index.h"

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
      list_(programFolder / std::string(info_->listFile), kBoxRecordLength) {}

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
  list_.Rewrite(recordBytes, programFolder_ / kTempListName);
}

void MailBox::RequireWritableList() const { base::RequireWritable(list_.Path()); }

std::filesystem::path MailBox::TextPath(std::string_view messageName) const {
  return Folder() / (std::string(messageName) + ".txt");
}

std::filesystem::path MailBox::WebPath(std::string_view messageName) const {
  return Folder() / (std::string(messageName) + ".htm");
}

std::string MailBox::NextMessageName() const { return store::NextMessageName(Folder()); }

std::string MailBox::File(BoxRecord record, std::string_view text, const std::optional<std::string>& web) const {
  record.MsgFile = NextMessageName();
  base::ReplaceFile(TextPath(record.MsgFile), text);
  if (web) base::ReplaceFile(WebPath(record.MsgFile), *web);
  Append(record);
  return record.MsgFile;
}

}  // namespace ostrel::store
