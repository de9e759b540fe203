#pragma once
// Making a key active: choosing its name in a key list, the "Set" button, and
// the default key at start-up. Each load shows "Generating Keyspace..." and
// then "Key is now loaded." in the status line.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/dialogs.h"
#include "engine/engine.h"
#include "keys/key_store.h"

namespace ostrel::keys {

inline constexpr std::string_view kGeneratingStatus = "Generating Keyspace...";
inline constexpr std::string_view kLoadedStatus = "Key is now loaded.";

// A click on listText in a key list. When a record of that name exists its
// key text goes to "key.key" and becomes currentKey; the keyspace of
// currentKey is then generated (so with no match the current key is loaded
// once more, and with no current key nothing is loaded). currentKey holds the
// engine's form of the key: stored ANSI bytes, normalised to 18 by the load.
// A key the engine refuses is reported, and then neither currentKey nor
// "key.key" changes. Returns the record found.
std::optional<KeyRecord> SelectKey(const std::filesystem::path& programFolder, std::string_view listText,
                                   engine::Engine& engine, std::string& currentKey, base::Dialogs& dialogs);

// What a window that needs a key says while none is loaded.
inline constexpr std::string_view kNoKeyLoadedNote =
    "No key is loaded, so Encrypt and Decrypt are off.  Choose a key under \"Using Key\" in the main window, or "
    "add one in File/Key Management.";

// The start-up load: the first record flagged "Y" is loaded and becomes
// currentKey; "key.key" is not written. Returns false when there is no
// default key (the status line then stays as it was) or it cannot be loaded
// (which is reported); currentKey is then left as it was.
bool LoadDefaultKey(const std::filesystem::path& programFolder, engine::Engine& engine, std::string& currentKey,
                    base::Dialogs& dialogs);

// After the stored default key may have changed (a key added or updated, the
// key files restored): while no key is loaded, the default key is loaded as
// at start-up, so that a first key can be used at once. Returns whether a key
// was loaded now.
bool LoadDefaultKeyIfNoneLoaded(const std::filesystem::path& programFolder, engine::Engine& engine,
                                std::string& currentKey, base::Dialogs& dialogs);

}  // namespace ostrel::keys
