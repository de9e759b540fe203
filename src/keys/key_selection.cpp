#include "keys/key_selection.h"

namespace ostrel::keys {
namespace {

// Loads keyText into the engine with the status texts around it. On success
// keyText holds the normalised key.
bool LoadWithStatus(std::string& keyText, std::string_view name, engine::Engine& engine, base::Dialogs& dialogs) {
  dialogs.SetStatus(kGeneratingStatus);
  try {
    engine.LoadKey(keyText);
  } catch (const engine::EngineError& error) {
    dialogs.SetStatus("");
    dialogs.Show(base::PlainBox("The key " + std::string(name) + " cannot be loaded.  " + error.what()));
    return false;
  }
  dialogs.SetStatus(kLoadedStatus);
  return true;
}

}  // namespace

std::optional<KeyRecord> SelectKey(const std::filesystem::path& programFolder, std::string_view listText,
                                   engine::Engine& engine, std::string& currentKey, base::Dialogs& dialogs) {
  const auto record = FindKey(ReadKeys(programFolder), listText);
  if (record && !record->keyText.empty()) {
    std::string keyText = record->keyText;
    if (LoadWithStatus(keyText, record->name, engine, dialogs)) {
      WriteSelectedKey(programFolder, record->keyText);
      currentKey = keyText;
    }
    return record;
  }
  // No such key: the current key's keyspace is generated once more.
  if (!currentKey.empty()) {
    std::string keyText = currentKey;
    if (LoadWithStatus(keyText, "in use", engine, dialogs)) currentKey = keyText;
  }
  return record;
}

bool LoadDefaultKey(const std::filesystem::path& programFolder, engine::Engine& engine, std::string& currentKey,
                    base::Dialogs& dialogs) {
  const auto record = ReadDefaultKey(programFolder);
  if (!record) return false;
  if (record->keyText.empty()) {
    dialogs.Show(base::PlainBox("The default key " + record->name + " has no key text and cannot be loaded."));
    return false;
  }
  std::string keyText = record->keyText;
  if (!LoadWithStatus(keyText, record->name, engine, dialogs)) return false;
  currentKey = keyText;
  return true;
}

bool LoadDefaultKeyIfNoneLoaded(const std::filesystem::path& programFolder, engine::Engine& engine,
                                std::string& currentKey, base::Dialogs& dialogs) {
  if (!currentKey.empty()) return false;
  return LoadDefaultKey(programFolder, engine, currentKey, dialogs);
}

}  // namespace ostrel::keys
