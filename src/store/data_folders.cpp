#include "store/data_folders.h"

#include <sys/stat.h>

#include <string>
#include <system_error>

#include "base/case_insensitive_lookup.h"
#include "base/safe_file.h"
#include "store/box_index.h"
#include "store/boxes.h"

namespace ostrel::store {
namespace {

// True when the folder did not exist and was made (0700).
bool MakeFolder(const std::filesystem::path& folder) { return ::mkdir(folder.c_str(), 0700) == 0; }

}  // namespace

void MakeDataFolders(const std::filesystem::path& programFolder) noexcept {
  try {
    base::MakePrivateFolder(programFolder);
  } catch (const std::system_error&) {
    // Each folder below is tried on its own; their failures are ignored too.
  }
  for (const auto folder : kAttachmentFolders) MakeFolder(programFolder / std::string(folder));
  for (const auto& box : kBoxes) {
    // A box folder in another letter case is this box's folder already.
    if (base::ExistsIgnoringCase(programFolder, box.name)) continue;
    const std::filesystem::path folder = programFolder / std::string(box.name);
    // Only a folder made just now gets a fresh index; an existing one keeps its own.
    if (!MakeFolder(folder)) continue;
    try {
      WriteBoxIndex(folder, 0);
    } catch (const std::system_error&) {
      continue;
    }
  }
}

}  // namespace ostrel::store
