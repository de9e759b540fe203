#pragma once
// The key store "key.dat": 59-byte records of a name (40), the key text (18)
// and the default flag (1), in the order the key lists show them; and
// "key.key", the key text selected last.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel::keys {

inline constexpr std::size_t kKeyRecordLength = 59;
inline constexpr std::size_t kKeyNameWidth = 40;
inline constexpr std::size_t kKeyTextWidth = 18;  // the key text box takes at most this many characters

inline constexpr std::string_view kKeyStoreFileName = "key.dat";
inline constexpr std::string_view kSelectedKeyFileName = "key.key";

struct KeyRecord {
  std::string name;     // trimmed, UTF-8 as shown in the key lists
  std::string keyText;  // trimmed, the stored ANSI bytes the engine expands
  bool isDefault = false;

  bool operator==(const KeyRecord&) const = default;
};

// Record bytes and back. Writing cuts the name to 40 and the key text to 18
// bytes, each on a character boundary; reading trims both, and any flag byte
// other than "Y" is not default.
std::string FormatKeyRecord(const KeyRecord& record);
KeyRecord ParseKeyRecord(std::string_view bytes);

// Number of records: the file length divided by 59, rounded half to even.
std::size_t KeyRecordCount(const std::filesystem::path& programFolder);

// Every record in file order. Creates an empty "key.dat" (0600) when it is
// missing. A counted partial record at the end is read padded with blanks.
std::vector<KeyRecord> ReadKeys(const std::filesystem::path& programFolder);

// Replaces "key.dat" with these records in one crash-safe step (0600).
void WriteKeys(const std::filesystem::path& programFolder, const std::vector<KeyRecord>& records);

// The first record whose trimmed name equals name exactly (case significant).
std::optional<KeyRecord> FindKey(const std::vector<KeyRecord>& records, std::string_view name);

// The default key read at start-up: the first record flagged "Y".
std::optional<KeyRecord> ReadDefaultKey(const std::filesystem::path& programFolder);

// The names for a key list, in record order.
std::vector<std::string> KeyNames(const std::vector<KeyRecord>& records);

// The name a key list shows: that of the last record whose key text equals
// currentKey, or empty when none does (or no key is loaded).
std::string ShownKeyName(const std::vector<KeyRecord>& records, std::string_view currentKey);

// Replaces "key.key" (0600) with one line holding keyText.
void WriteSelectedKey(const std::filesystem::path& programFolder, std::string_view keyText);

}  // namespace ostrel::keys
