#pragma once
// The key management window's logic: the key list and summary it opens with,
// showing a listed key, "Add/Update" with its checks, and "Set".

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/dialogs.h"
#include "engine/engine.h"
#include "keys/key_store.h"

namespace ostrel::keys {

inline constexpr std::string_view kKeyManagementCaption = "Key Management";

// What the window shows after opening (and after "Add/Update").
struct KeyManagementView {
  std::vector<std::string> names;  // the key list
  std::string listText;            // the entry shown in the key list
  std::string summary;             // the summary label
};
KeyManagementView OpenKeyManagement(const std::filesystem::path& programFolder);

// " 3 keys defined.  Default key is Home." (the last record flagged "Y"), or
// the count followed by "No Default Key defined.  You cannot check mail
// without a default key.".
std::string KeySummary(const std::vector<KeyRecord>& records);

// The editing controls: name, key text (UTF-8 as typed, at most 18
// characters) and "Use as Default Key".
struct KeyEditor {
  std::string name;
  std::string keyText;
  bool useAsDefault = false;

  bool operator==(const KeyEditor&) const = default;
};

// The editing controls for the key listed under listText, when there is one.
std::optional<KeyEditor> ShowListedKey(const std::filesystem::path& programFolder, std::string_view listText);

// Why a key text as typed (UTF-8) cannot be stored, or nothing: stored in the
// Windows-1252 code page (or as UTF-8 when a character is not in it) and
// without its outer blanks, it must fit the 18 bytes of its field.
std::optional<std::string> KeyTextTooLong(std::string_view typedKeyText);

// "Add/Update": refuses missing data, a key text too long for its field and
// keys the engine refuses, asks before storing a key that protects nothing,
// then replaces the record of the same name (letter case aside, character by
// character) or appends one, keeping at most one default key.
// Returns the view as the window reopens with it, or nothing when nothing
// was stored.
std::optional<KeyManagementView> AddOrUpdateKey(const std::filesystem::path& programFolder, const KeyEditor& editor,
                                                base::Dialogs& dialogs);

// "Set": makes the listed key active (as a key list selection does) and
// returns the editing controls for it. The window closes afterwards.
std::optional<KeyEditor> SetKey(const std::filesystem::path& programFolder, std::string_view listText,
                                engine::Engine& engine, std::string& currentKey, base::Dialogs& dialogs);

}  // namespace ostrel::keys
