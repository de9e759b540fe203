#include "base/safe_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/temp_folder.h"

namespace ostrel::base {
namespace {

using ostrel::testing::ReadBytes;
using ostrel::testing::TempFolder;

TEST(SafeFile, ReplaceWritesNewContentsAndLeavesNoTemporaryFile) {
  TempFolder folder;
  ReplaceFile(folder / "f.txt", "old");
  ReplaceFile(folder / "f.txt", "new contents");
  EXPECT_EQ(ReadBytes(folder / "f.txt"), "new contents");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(SafeFile, FailedReplaceLeavesTheOldFile) {
  TempFolder folder;
  ReplaceFile(folder / "f.txt", "old");
  EXPECT_THROW(ReplaceFile(folder / "f.txt", "new", folder / "missing" / "tmp"), std::system_error);
  EXPECT_EQ(ReadBytes(folder / "f.txt"), "old");
}

TEST(SafeFile, PrivateFolderAndFiles) {
  TempFolder folder;
  MakePrivateFolder(folder / "a" / "b");
  struct stat info {};
  ASSERT_EQ(::stat((folder / "a" / "b").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  ReplaceFile(folder / "a" / "secret", "s", Privacy::Private);
  ASSERT_EQ(::stat((folder / "a" / "secret").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST(SafeFile, ReadWholeFileAndAppend) {
  TempFolder folder;
  EXPECT_FALSE(ReadWholeFile(folder / "none"));
  AppendToFile(folder / "log", "a");
  AppendToFile(folder / "log", "b");
  EXPECT_EQ(ReadWholeFile(folder / "log"), "ab");
}

}  // namespace
}  // namespace ostrel::base
