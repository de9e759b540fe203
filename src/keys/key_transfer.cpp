#include "keys/key_transfer.h"

#include <system_error>
#include <utility>
#include <vector>

#include "base/safe_file.h"
#include "keys/key_store.h"

namespace ostrel::keys {
namespace {

bool CopyKeyFiles(const std::filesystem::path& from, const std::filesystem::path& to, std::string_view failure,
                  std::string_view success, base::Dialogs& dialogs) {
  // Both files are read before either is written, so a missing store leaves
  // the target as it was. "key.key" exists only once a key has been picked
  // or set, so a store without it travels alone.
  std::vector<std::pair<std::filesystem::path, std::string>> copies;
  const std::filesystem::path store = from / kKeyStoreFileName;
  auto storeContents = base::ReadWholeFile(store);
  if (!storeContents) {
    dialogs.Show(base::PlainBox(std::string(failure) + "  The file " + store.string() + " does not exist."));
    return false;
  }
  copies.emplace_back(to / kKeyStoreFileName, std::move(*storeContents));
  if (auto selected = base::ReadWholeFile(from / kSelectedKeyFileName)) {
    copies.emplace_back(to / kSelectedKeyFileName, std::move(*selected));
  }
  for (const auto& [target, contents] : copies) {
    try {
      base::ReplaceFile(target, contents, base::Privacy::Private);
    } catch (const std::system_error& error) {
      dialogs.Show(base::PlainBox(std::string(failure) + "  The file " + target.string() +
                                  " cannot be written: " + error.code().message() + "."));
      return false;
    }
  }
  dialogs.Show(base::PlainBox(std::string(success)));
  return true;
}

}  // namespace

std::string FolderChooserCaption(KeyPathMode keyPathMode) {
  return keyPathMode == KeyPathMode::Transfer ? "Select Path to Transfer Key File To"
                                              : "Select Path to Restore Key File From";
}

std::string KeyPathFor(const std::filesystem::path& folder) {
  std::string path = folder.string();
  if (!path.ends_with('/')) path += '/';
  return path;
}

bool TransferKeys(const std::filesystem::path& programFolder, std::string_view keyPath, base::Dialogs& dialogs) {
  if (keyPath.empty()) return false;
  return CopyKeyFiles(programFolder, std::filesystem::path(keyPath), "Keys not transferred.", "Keys Transferred.",
                      dialogs);
}

bool RestoreKeys(const std::filesystem::path& programFolder, std::string_view keyPath, base::Dialogs& dialogs) {
  if (keyPath.empty()) return false;
  return CopyKeyFiles(std::filesystem::path(keyPath), programFolder, "Keys not restored.", "Keys Restored.", dialogs);
}

}  // namespace ostrel::keys
