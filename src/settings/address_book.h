#pragma once
// The address book "address.dat": 120-byte records of a name (40, the key)
// and an e-mail address (80), in the order they were added.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/dialogs.h"

namespace ostrel::settings {

inline constexpr std::size_t kAddressRecordLength = 120;
inline constexpr std::string_view kAddressFileName = "address.dat";
// The scratch file earlier versions rewrote the address book through.
inline constexpr std::string_view kAddressScratchFileName = "address.tmp";

struct AddressRecord {
  std::string Name;
  std::string Email;

  bool operator==(const AddressRecord&) const = default;
};

// Every entry in file order, trimmed. Creates an empty "address.dat" when it
// is missing.
std::vector<AddressRecord> ReadAddresses(const std::filesystem::path& programFolder);

// The address of the first entry whose name equals name exactly.
std::optional<std::string> FindAddress(const std::filesystem::path& programFolder, std::string_view name);

// What the address book window shows as it opens: the names, and the first
// of them in the name box (the address box stays empty).
struct AddressBookForm {
  std::vector<std::string> names;
  std::string nameBox;
};
AddressBookForm LoadAddressBook(const std::filesystem::path& programFolder);

// "Add", "Update" and "Delete". Each shows its outcome through dialogs and
// returns whether the file changed. Names are compared exactly, untrimmed.
bool AddAddress(const std::filesystem::path& programFolder, std::string_view name, std::string_view email,
                base::Dialogs& dialogs);
bool UpdateAddress(const std::filesystem::path& programFolder, std::string_view name, std::string_view email,
                   base::Dialogs& dialogs);
// Removes every entry carrying the name; the caller then loads the window again.
bool DeleteAddress(const std::filesystem::path& programFolder, std::string_view name, base::Dialogs& dialogs);

}  // namespace ostrel::settings
