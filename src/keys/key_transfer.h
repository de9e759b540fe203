#pragma once
// "Transfer Keys" and "Restore Keys": the key files "key.dat" and, when there
// is one, "key.key" copied to or from a folder of the user's choice.

#include <filesystem>
#include <string>
#include <string_view>

#include "base/dialogs.h"

namespace ostrel::keys {

// What the folder chooser picks a folder for.
enum class KeyPathMode { Transfer, Restore };

// The folder chooser's caption.
std::string FolderChooserCaption(KeyPathMode keyPathMode);

// KeyPath for a chosen folder: the folder with a trailing "/".
std::string KeyPathFor(const std::filesystem::path& folder);

// Copy the key files from the program folder to keyPath ("Keys Transferred.")
// or back ("Keys Restored."). An empty keyPath (the chooser was cancelled)
// does nothing. "key.dat" must be there: when it is missing, that is said
// and nothing is copied. "key.key" goes along when it exists. Each copy
// replaces its target in one step and is private (0600). Returns whether
// the files were copied.
bool TransferKeys(const std::filesystem::path& programFolder, std::string_view keyPath, base::Dialogs& dialogs);
bool RestoreKeys(const std::filesystem::path& programFolder, std::string_view keyPath, base::Dialogs& dialogs);

}  // namespace ostrel::keys
