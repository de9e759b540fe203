#include "base/folder_files.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/temp_folder.h"

namespace ostrel::base {
namespace {

using ostrel::testing::TempFolder;
using ostrel::testing::WriteBytes;

TEST(FolderFiles, RemoveFilesInEmptiesTheFolderOfFilesButKeepsSubfolders) {
  const TempFolder temp;
  WriteBytes(temp / "a.enc", "a");
  WriteBytes(temp / "b.enc", "b");
  std::filesystem::create_directory(temp / "sub");
  WriteBytes(temp / "sub" / "inner.enc", "c");

  std::vector<std::filesystem::path> listed = RegularFilesIn(temp.Path());
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, (std::vector<std::filesystem::path>{temp / "a.enc", temp / "b.enc"}));

  RemoveFilesIn(temp.Path());
  EXPECT_FALSE(std::filesystem::exists(temp / "a.enc"));
  EXPECT_FALSE(std::filesystem::exists(temp / "b.enc"));
  EXPECT_TRUE(std::filesystem::exists(temp / "sub" / "inner.enc"));
}

TEST(FolderFiles, AMissingFolderListsNoFilesWhichEmptyingLeavesMissing) {
  const TempFolder temp;
  EXPECT_TRUE(RegularFilesIn(temp / "missing").empty());
  RemoveFilesIn(temp / "missing");
  EXPECT_FALSE(std::filesystem::exists(temp / "missing"));
}

}  // namespace
}  // namespace ostrel::base
