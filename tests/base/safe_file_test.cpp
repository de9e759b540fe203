#include "base/safe_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_folder.h"

namespace ostrel::base {
namespace {

using ostrel::testing::ReadBytes;
using ostrel::testing::TempFolder;

TEST(SafeFile, ReplaceWritesNewContentsLeavesNoTemporaryFileAndFailsSafely) {
  TempFolder folder;
  ReplaceFile(folder / "f.txt", "old");
  ReplaceFile(folder / "f.txt", "new contents");
  EXPECT_EQ(ReadBytes(folder / "f.txt"), "new contents");
  ReplaceScratchFile(folder / "scratch", "first", Privacy::Private);
  ReplaceScratchFile(folder / "scratch", "second", Privacy::Private);
  EXPECT_EQ(ReadBytes(folder / "scratch"), "second");
  EXPECT_EQ(std::filesystem::status(folder / "scratch").permissions(), std::filesystem::perms{0600});
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2);
  EXPECT_THROW(ReplaceFile(folder / "f.txt", "lost", folder / "missing" / "tmp"), std::system_error);
  EXPECT_EQ(ReadBytes(folder / "f.txt"), "new contents");  // a failed replacement leaves the old file
}

TEST(SafeFile, PrivateFolderAndFilesReadingAndAppending) {
  TempFolder folder;
  MakePrivateFolder(folder / "a" / "b");
  EXPECT_EQ(std::filesystem::status(folder / "a" / "b").permissions(), std::filesystem::perms{0700});
  ReplaceFile(folder / "a" / "secret", "s", Privacy::Private);
  EXPECT_EQ(std::filesystem::status(folder / "a" / "secret").permissions(), std::filesystem::perms{0600});
  EXPECT_FALSE(ReadWholeFile(folder / "none"));
  AppendToFile(folder / "log", "a");
  AppendToFile(folder / "log", "b");
  EXPECT_EQ(ReadWholeFile(folder / "log"), "ab");
}

}  // namespace
}  // namespace ostrel::base
