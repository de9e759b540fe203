#include "base/safe_file.h"

#include <sys/wait.h>
#include <unistd.h>
#include <filesystem>
#include <set>

#include "base/fixed_records.h"
#include "base/folder_files.h"
#include "base_fixture.h"
#include "support/flush_order.h"
#include "support/recording_calls.h"

namespace ostrel::base {
namespace {

using SafeFile = BaseTest;

using ostrel::testing::FileSystemEvent;
using ostrel::testing::RecordedCalls;

TEST_F(SafeFile, ReplaceWritesTheNewContentsLeavingNoTemporaryFile) {
  ReplaceFile(folder / "f.txt", "old");
  ReplaceFile(folder / "f.txt", "new contents");
  EXPECT_EQ(ReadBytes(folder / "f.txt"), "new contents");
  ReplaceScratchFile(folder / "scratch", "first", Privacy::Private);
  ReplaceScratchFile(folder / "scratch", "second", Privacy::Private);
  EXPECT_EQ(ReadBytes(folder / "scratch"), "second");
  EXPECT_EQ(std::filesystem::status(folder / "scratch").permissions(), std::filesystem::perms{0600});
  EXPECT_EQ(RegularFilesIn(folder.Path()).size(), 2u);
}

TEST_F(SafeFile, AFailedReplacementThrowsLeavingTheOldFile) {
  ReplaceFile(folder / "f.txt", "old contents");
  RecordedCalls calls;
  calls.refuse = [](const FileSystemEvent& event) { return event.kind == FileSystemEvent::Kind::Flush; };
  EXPECT_THROW(ReplaceFile(folder / "f.txt", "lost"), std::system_error);
  EXPECT_EQ(ReadBytes(folder / "f.txt"), "old contents");
  EXPECT_EQ(RegularFilesIn(folder.Path()).size(), 1u) << "no temporary file";
}

// Files named as another file's temporary file was once named ("keep.pdf.new"
// for "keep.pdf") are the user's like any other: replacing one never touches
// the other, whichever is written first.
TEST_F(SafeFile, NoFileIsEverAnotherFilesTemporaryFile) {
  struct Case {
    std::string first, second;
  };
  for (const Case& c : {Case{"keep.pdf.new", "keep.pdf"}, Case{"keep.pdf", "keep.pdf.new"}, Case{"temp.dat", "inbox.dat"}}) {
    SCOPED_TRACE(c.first + " then " + c.second);
    TempFolder each;
    ReplaceFile(each / c.first, "FIRST");
    ReplaceFile(each / c.second, "SECOND");
    EXPECT_EQ(ReadBytes(each / c.first), "FIRST");
    EXPECT_EQ(ReadBytes(each / c.second), "SECOND");
    EXPECT_EQ(RegularFilesIn(each.Path()).size(), 2u);
  }
}

TEST_F(SafeFile, TemporaryFilesAreHiddenUniqueFilesBesideTheirTarget) {
  std::set<std::filesystem::path> temporaries;
  {
    PendingFile first(folder / "a.txt");
    PendingFile second(folder / "a.txt");
    for (const PendingFile* file : {&first, &second}) {
      const std::string name = file->TemporaryPath().filename().string();
      EXPECT_TRUE(name.starts_with(".ostrel-" + std::to_string(::getpid()) + "-")) << name;
      EXPECT_TRUE(IsTemporaryFileName(name)) << name;
      EXPECT_EQ(file->TemporaryPath().parent_path(), folder.Path());
      temporaries.insert(file->TemporaryPath());
    }
    first.Write("one");
    first.Commit();
    second.Write("two");
    second.Commit();
  }
  EXPECT_EQ(temporaries.size(), 2u);
  EXPECT_EQ(ReadBytes(folder / "a.txt"), "two");
}

TEST_F(SafeFile, TemporaryNamesOfEndedProcessesAreLeftovers) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  const std::string ended = ".ostrel-" + std::to_string(child) + "-aB3dE9";
  const std::string running = ".ostrel-" + std::to_string(::getpid()) + "-aB3dE9";
  struct Case {
    std::string name;
    bool temporary, leftover;
  };
  for (const Case& c : {Case{ended, true, true}, Case{running, true, false}, Case{".ostrel-1-zzzzzz", true, false},
                        Case{ended + ".enc", false, false}, Case{ended.substr(1), false, false},
                        Case{".ostrel--aB3dE9", false, false}, Case{".ostrel-12-aB3dE", false, false},
                        Case{".ostrel-12-aB3d_9", false, false}, Case{"keep.pdf.new", false, false}}) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IsTemporaryFileName(c.name), c.temporary);
    EXPECT_EQ(IsLeftoverTemporaryFileName(c.name), c.leftover);
  }
}

// Every file replaced is flushed before it takes its target's name and its
// folder after; appends are flushed before they return.
TEST_F(SafeFile, FlushesSurroundEveryRename) {
  WriteBytes(folder / "f.txt", "old");
  RecordedCalls calls;
  ReplaceFile(folder / "f.txt", "new");
  ReplaceFile(folder / "g.txt", "fresh", Privacy::Private);
  const RecordFile records(folder / "r.dat", 4);
  records.Append("abcd");
  records.Rewrite({"x"});
  AppendToFile(folder / "log", "line");
  EXPECT_EQ(testing::ExpectFlushedAroundEveryRename(calls.events), 3u);

  using Kind = FileSystemEvent::Kind;
  const auto canonical = std::filesystem::canonical(folder.Path());
  std::set<std::filesystem::path> flushed;
  for (const auto& event : calls.events) {
    if (event.kind == Kind::Flush) flushed.insert(event.path);
  }
  EXPECT_TRUE(flushed.count(canonical / "r.dat")) << "the appended record";
  EXPECT_TRUE(flushed.count(canonical / "log")) << "the appended line";
}

TEST_F(SafeFile, PrivateFoldersOrFilesAreTheUsersOnly) {
  MakePrivateFolder(folder / "a" / "b");
  EXPECT_EQ(std::filesystem::status(folder / "a" / "b").permissions(), std::filesystem::perms{0700});
  ReplaceFile(folder / "a" / "secret", "s", Privacy::Private);
  EXPECT_EQ(std::filesystem::status(folder / "a" / "secret").permissions(), std::filesystem::perms{0600});
}

}  // namespace
}  // namespace ostrel::base
