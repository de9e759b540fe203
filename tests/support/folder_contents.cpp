#include "support/folder_contents.h"

#include "support/temp_folder.h"

namespace ostrel::testing {

FolderContents ReadFolderContents(const std::filesystem::path& folder) {
  FolderContents contents;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    const std::string name = entry.path().lexically_relative(folder).generic_string();
    if (entry.is_directory()) {
      contents[name + "/"] = "";
    } else {
      contents[name] = ReadBytes(entry.path());
    }
  }
  return contents;
}

}  // namespace ostrel::testing
