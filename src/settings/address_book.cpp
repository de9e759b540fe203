#include "settings/address_book.h"

#include "base/fixed_records.h"
#include "base/empty_file.h"

namespace ostrel::settings {
namespace {

const std::vector<std::size_t> kWidths = {40, 80};

base::RecordFile AddressFile(const std::filesystem::path& programFolder) {
  return base::RecordFile(programFolder / kAddressFileName, kAddressRecordLength);
}

AddressRecord Parse(std::string_view bytes) {
  const auto fields = base::SplitFields(bytes, kWidths);
  return {std::string(base::TrimBlanks(fields[0])), std::string(base::TrimBlanks(fields[1]))};
}

std::string Format(std::string_view name, std::string_view email) {
  return base::JoinFields({std::string(name), std::string(email)}, kWidths);
}

}  // namespace

std::vector<AddressRecord> ReadAddresses(const std::filesystem::path& programFolder) {
  const auto file = AddressFile(programFolder);
  CreateEmptyIfMissing(file);
  std::vector<AddressRecord> entries;
  for (const std::string& record : file.ReadAll()) entries.push_back(Parse(record));
  return entries;
}

std::optional<std::string> FindAddress(const std::filesystem::path& programFolder, std::string_view name) {
  for (AddressRecord& entry : ReadAddresses(programFolder)) {
    if (entry.Name == name) return std::move(entry.Email);
  }
  return std::nullopt;
}

AddressBookForm LoadAddressBook(const std::filesystem::path& programFolder) {
  AddressBookForm form;
  for (AddressRecord& entry : ReadAddresses(programFolder)) form.names.push_back(std::move(entry.Name));
  if (!form.names.empty()) form.nameBox = form.names.front();
  return form;
}

bool AddAddress(const std::filesystem::path& programFolder, std::string_view name, std::string_view email,
                base::Dialogs& dialogs) {
  if (name.empty() || email.empty()) {
    dialogs.Show(base::PlainBox("Missing Data.  Define a name and an email address."));
    return false;
  }
  if (email.find('@') == std::string_view::npos || email.find('.') == std::string_view::npos) {
    dialogs.Show(base::PlainBox("Invalid Email Address.  Format is yourname@yourdomain.com"));
    return false;
  }
  for (const AddressRecord& entry : ReadAddresses(programFolder)) {
    if (entry.Name == name) {
      dialogs.Show(base::PlainBox("That Name already exists.  Choose another name or perform an Update."));
      return false;
    }
  }
  AddressFile(programFolder).Append(Format(name, email));
  dialogs.Show(base::PlainBox(std::string(name) + " has been added."));
  return true;
}

bool UpdateAddress(const std::filesystem::path& programFolder, std::string_view name, std::string_view email,
                   base::Dialogs& dialogs) {
  const auto file = AddressFile(programFolder);
  CreateEmptyIfMissing(file);
  std::vector<std::string> records = file.ReadAll();
  for (std::string& record : records) {
    if (Parse(record).Name == name) {
      record = Format(name, email);
      file.Rewrite(records);
      dialogs.Show(base::PlainBox(std::string(name) + " has been updated."));
      return true;
    }
  }
  // Nothing carries the name: updating would have nothing to replace.
  dialogs.Show(base::PlainBox(std::string(name) + " is not in the Address Book.  Use Add to add it."));
  return false;
}

bool DeleteAddress(const std::filesystem::path& programFolder, std::string_view name, base::Dialogs& dialogs) {
  const auto file = AddressFile(programFolder);
  CreateEmptyIfMissing(file);
  std::vector<std::string> kept;
  for (std::string& record : file.ReadAll()) {
    if (Parse(record).Name != name) kept.push_back(std::move(record));
  }
  file.Rewrite(kept);
  dialogs.Show(base::PlainBox(std::string(name) + " has been removed."));
  return true;
}

}  // namespace ostrel::settings
