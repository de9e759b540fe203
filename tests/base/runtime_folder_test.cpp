#include "base/runtime_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "support/temp_folder.h"

namespace ostrel::base {
namespace {

// Sets XDG_RUNTIME_DIR for one test and puts the old value back.
class RuntimeDirSetting {
 public:
  explicit RuntimeDirSetting(const char* value) {
    if (const char* old = std::getenv("XDG_RUNTIME_DIR")) saved_ = old;
    value ? ::setenv("XDG_RUNTIME_DIR", value, 1) : ::unsetenv("XDG_RUNTIME_DIR");
  }
  ~RuntimeDirSetting() { saved_ ? ::setenv("XDG_RUNTIME_DIR", saved_->c_str(), 1) : ::unsetenv("XDG_RUNTIME_DIR"); }

 private:
  std::optional<std::string> saved_;
};

mode_t ModeOf(const std::filesystem::path& path) {
  struct stat status {};
  EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
  return status.st_mode & 07777;
}

TEST(RuntimeFolder, EachProgramFolderHasItsOwnPrivateFolderThatEverySpellingOfItFinds) {
  testing::TempFolder runtime;
  testing::TempFolder installations;
  ::chmod(runtime.Path().c_str(), 0700);
  std::filesystem::create_directories(installations / "alice");
  std::filesystem::create_directories(installations / "bob");
  std::filesystem::create_directory_symlink(installations / "alice", installations / "link");
  const RuntimeDirSetting setting(runtime.Path().c_str());

  const auto alice = RuntimeFolderFor(installations / "alice");
  const auto bob = RuntimeFolderFor(installations / "bob");
  ASSERT_TRUE(alice && bob);
  EXPECT_NE(*alice, *bob);
  for (const auto& folder : {*alice, *bob}) {
    EXPECT_EQ(folder.parent_path(), runtime.Path());
    EXPECT_EQ(ModeOf(folder), 0700u) << folder;
  }
  EXPECT_EQ(RuntimeFolderFor(installations / "bob" / ".." / "alice"), alice);
  EXPECT_EQ(RuntimeFolderFor(installations / "link"), alice);
}

TEST(RuntimeFolder, NoneWhereTheRuntimeFolderIsMissingSharedOrTampered) {
  testing::TempFolder runtime;
  testing::TempFolder program;
  struct Case {
    std::string name;
    std::optional<std::string> value;
    mode_t mode;
  };
  const Case cases[] = {
      {"unset", std::nullopt, 0700},
      {"relative", "runtime", 0700},
      {"missing", (runtime / "missing").string(), 0700},
      {"writable by everyone", runtime.Path().string(), 0777},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ::chmod(runtime.Path().c_str(), c.mode);
    const RuntimeDirSetting setting(c.value ? c.value->c_str() : nullptr);
    EXPECT_EQ(RuntimeFolderFor(program.Path()), std::nullopt);
    EXPECT_EQ(FreshRuntimeFolder(), std::nullopt);
  }

  // A link put where the program folder's own folder belongs is not used.
  ::chmod(runtime.Path().c_str(), 0700);
  const RuntimeDirSetting setting(runtime.Path().c_str());
  const auto folder = RuntimeFolderFor(program.Path());
  ASSERT_TRUE(folder);
  std::filesystem::remove(*folder);
  std::filesystem::create_directory_symlink(program.Path(), *folder);
  EXPECT_EQ(RuntimeFolderFor(program.Path()), std::nullopt);
  std::filesystem::remove(*folder);
  std::filesystem::create_directory(*folder);
  ::chmod(folder->c_str(), 0755);
  EXPECT_EQ(RuntimeFolderFor(program.Path()), std::nullopt) << "open to others";
}

TEST(RuntimeFolder, FreshFoldersAreDistinctPrivateFolders) {
  testing::TempFolder runtime;
  ::chmod(runtime.Path().c_str(), 0700);
  const RuntimeDirSetting setting(runtime.Path().c_str());
  const auto first = FreshRuntimeFolder();
  const auto second = FreshRuntimeFolder();
  ASSERT_TRUE(first && second);
  EXPECT_NE(*first, *second);
  EXPECT_EQ(first->parent_path(), runtime.Path());
  EXPECT_EQ(ModeOf(*first), 0700u);
}

TEST(RuntimeFolder, MemoryIsToldFromDisk) {
  if (std::filesystem::is_directory("/dev/shm")) {
    EXPECT_TRUE(IsInMemory("/dev/shm"));
  }
  EXPECT_FALSE(IsInMemory("/proc/self/missing"));
}

}  // namespace
}  // namespace ostrel::base
