#include "base/folder_files.h"

#include <algorithm>

#include "base_fixture.h"

namespace ostrel::base {
namespace {

using FolderFiles = BaseTest;

TEST_F(FolderFiles, RemoveFilesInEmptiesTheFolderOfFilesAlone) {
  WriteBytes(folder / "a.enc", "a");
  WriteBytes(folder / "b.enc", "b");
  std::filesystem::create_directory(folder / "sub");
  WriteBytes(folder / "sub" / "inner.enc", "c");

  std::vector<std::filesystem::path> listed = RegularFilesIn(folder.Path());
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, (std::vector<std::filesystem::path>{folder / "a.enc", folder / "b.enc"}));

  RemoveFilesIn(folder.Path());
  EXPECT_FALSE(std::filesystem::exists(folder / "a.enc"));
  EXPECT_FALSE(std::filesystem::exists(folder / "b.enc"));
  EXPECT_TRUE(std::filesystem::exists(folder / "sub" / "inner.enc"));

  EXPECT_TRUE(RegularFilesIn(folder / "missing").empty());
  RemoveFilesIn(folder / "missing");
  EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

}  // namespace
}  // namespace ostrel::base
