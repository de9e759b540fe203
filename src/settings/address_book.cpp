#include "settings/address_book.h"

#include "base/named_records.h"

namespace ostrel::settings {
namespace {

base::NamedRecordFile AddressFile(const std::filesystem::path& programFolder) {
  return base::NamedRecordFile(programFolder / kAddressFileName, 40, 80);
}

}  // namespace

std::vector<AddressRecord> ReadAddresses(const std::filesystem::path& programFolder) {
  std::vector<AddressRecord> entries;
  for (base::NamedRecord& entry : AddressFile(programFolder).ReadAll()) {
    entries.push_back({std::move(entry.name), std::move(entry.value)});
  }
  return entries;
}

std::optional<std::string> FindAddress(const std::filesystem::path& programFolder, std::string_view name) {
  return AddressFile(programFolder).Find(name);
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
  const auto file = AddressFile(programFolder);
  if (file.Find(name)) {
    dialogs.Show(base::PlainBox("That Name already exists.  Choose another name or perform an Update."));
    return false;
  }
  file.Append(name, email);
  dialogs.Show(base::PlainBox(std::string(name) + " has been added."));
  return true;
}

bool UpdateAddress(const std::filesystem::path& programFolder, std::string_view name, std::string_view email,
                   base::Dialogs& dialogs) {
  if (AddressFile(programFolder).Replace(name, email, base::NamedRecordFile::Which::First)) {
    dialogs.Show(base::PlainBox(std::string(name) + " has been updated."));
    return true;
  }
  // Nothing carries the name: updating would have nothing to replace.
  dialogs.Show(base::PlainBox(std::string(name) + " is not in the Address Book.  Use Add to add it."));
  return false;
}

bool DeleteAddress(const std::filesystem::path& programFolder, std::string_view name, base::Dialogs& dialogs) {
  AddressFile(programFolder).RemoveAll(name);
  dialogs.Show(base::PlainBox(std::string(name) + " has been removed."));
  return true;
}

}  // namespace ostrel::settings
