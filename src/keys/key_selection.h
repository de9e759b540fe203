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

// The start-up load: the first record flagged "Y" becomes currentKey and is
// loaded; "key.key" is not written. Returns false when there is no default
// key (the status line then stays as it was) or it cannot be loaded.
bool LoadDefaultKey(const std::filesystem::path& programFolder, engine::Engine& engine, std::string& currentKey,
                    base::Dialogs& dialogs);

}  // namespace ostrel::keys
