// What the start-up of either program puts right after a killed run: the
// move it was in, its temporary files, and message files no record names.

#include "store/interrupted_runs.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <optional>
#include <thread>

#include "base/fixed_records.h"
#include "store/date_text.h"
#include "store/mail_box.h"
#include "store/move_journal.h"
#include "store/store_lock.h"
#include "store_folder.h"

namespace ostrel::store {
namespace {

using testing::Names;
using testing::ReadBytes;
using testing::StoreFolder;
using testing::WriteBytes;

// A temporary file name of a process that has ended.
std::string EndedRunsTemporaryName() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return ".ostrel-" + std::to_string(child) + "-Qx7Lm2";
}

TEST(TidyTest, MessageFilesNoRecordNamesAreListedAgainNeverDeleted) {
  StoreFolder store;
  store.AddMessage("In", "kept", "k\r\n");
  WriteBytes(store / "In" / "MSG5.txt", "found text\r\n");
  WriteBytes(store / "In" / "MSG5.htm", "<p>found</p>\r\n");
  const std::time_t modifiedAt = 1767344400;  // 2 Jan 2026
  const struct timespec times[2] = {{modifiedAt, 0}, {modifiedAt, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, (store / "In" / "MSG5.txt").c_str(), times, 0), 0);
  WriteBytes(store / "Trash" / "MSG2.htm", "<html>page</html>\r\n");  // cut off before its text file
  WriteBytes(store / "Out" / "MSG1.txt", "not an outgoing message\r\n");
  WriteBytes(store / "Junk" / "notes.txt", "not a message file\r\n");

  const Tidied tidied = TidyAfterInterruptedRuns(store.Folder());

  EXPECT_EQ(tidied.relistedMessages, (Names{"In/MSG5", "Trash/MSG2"}));
  const auto in = store.Records("In");
  ASSERT_EQ(in.size(), 2u);
  EXPECT_EQ(in[1], (BoxRecord{std::string(80, ' '), "Recovered" + std::string(71, ' '),
                              "Message found without its record" + std::string(48, ' '),
                              base::PadField(GeneralDateText(std::chrono::system_clock::from_time_t(modifiedAt)), 30), "MSG5" + std::string(16, ' ')}));
  EXPECT_EQ(ReadBytes(store / "In" / "MSG5.txt"), "found text\r\n");
  EXPECT_EQ(store.Records("Trash").size(), 1u);
  EXPECT_EQ(ReadBytes(store / "Trash" / "MSG2.txt"), "<html>page</html>\r\n");
  for (const auto& [box, file] : {std::pair{"Out", "MSG1.txt"}, {"Junk", "notes.txt"}}) {
    EXPECT_EQ(store.Records(box).size(), 0u);
    EXPECT_TRUE(std::filesystem::exists(store / box / file));
  }

  EXPECT_TRUE(TidyAfterInterruptedRuns(store.Folder()).relistedMessages.empty()) << "listed once";
  EXPECT_EQ(store.Records("In").size(), 2u);
}

TEST(TidyTest, TemporaryFilesOfEndedRunsGoAndEverythingElseStays) {
  StoreFolder store;
  const std::string ended = EndedRunsTemporaryName();
  const std::string running = ".ostrel-" + std::to_string(::getpid()) + "-Qx7Lm2";
  const std::vector<std::filesystem::path> removed = {
      store / ended,           store / "In" / ended,          store / "Trash" / ended,    store / "Save" / ended,
      store / "Dec" / ended,   store / "Enc" / ended,         store / "In" / "MSG4.txt.new", store / "Sent" / "index.dat.new",
      store / "temp.dat",      store / "address.tmp"};
  const std::vector<std::filesystem::path> kept = {store / running, store / "Save" / running,
                                                   store / "Save" / "keep.pdf.new", store / "notes.new",
                                                   store / "Dec" / "temp.dat"};
  for (const auto& path : removed) WriteBytes(path, "left behind");
  for (const auto& path : kept) WriteBytes(path, "still wanted");

  const Tidied tidied = TidyAfterInterruptedRuns(store.Folder());

  EXPECT_EQ(tidied.removedFiles.size(), removed.size());
  for (const auto& path : removed) EXPECT_FALSE(std::filesystem::exists(path)) << path;
  for (const auto& path : kept) EXPECT_EQ(ReadBytes(path), "still wanted") << path;
  EXPECT_TRUE(tidied.relistedMessages.empty());
  EXPECT_FALSE(tidied.settledMove);
}

TEST(TidyTest, AMissingProgramFolderIsLeftAlone) {
  StoreFolder store;
  const auto missing = store / "not there";
  const Tidied tidied = TidyAfterInterruptedRuns(missing);
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_TRUE(tidied.removedFiles.empty());
}

using SettlingTest = testing::InstalledTest;

// A kill between the Trash append and the rewrite of the In list leaves the
// message in both boxes, and the journal naming it and its Trash name; the
// next start takes the move back. (A box shown meanwhile would show it twice,
// but every move settles it before it starts.)
TEST_F(SettlingTest, TheLoadStepTakesBackAMoveCutOff) {
  store.AddMessages("In", {"a", "b"});
  testing::CutOffBeforeTheRewrite(store, "In", 2);
  EXPECT_EQ(ReadBytes(store / kMoveJournalName), "In\r\nMSG2 MSG1\r\n");
  EXPECT_EQ(store.Subjects("Trash"), (Names{"b"}));
  installation.LoadStep();
  EXPECT_EQ(store.Subjects("In"), (Names{"a", "b"}));
  EXPECT_EQ(store.Subjects("Trash"), Names{});
}

// Filing holds the store lock until its record is there, so a start-up
// meanwhile never takes its files for a killed run's.
TEST(TidyTest, TheTidyingWaitsForWorkInProgress) {
  StoreFolder store;
  std::optional<Tidied> tidied;
  std::thread other;
  {
    const StoreLock filing(store.Folder());
    WriteBytes(store / "In" / "MSG1.txt", "arriving\r\n");
    other = std::thread([&] { tidied = TidyAfterInterruptedRuns(store.Folder()); });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    MailBox(store.Folder(), "In").Append(BoxRecord{"", "sender", "arrived", "", "MSG1"});
  }
  other.join();
  EXPECT_TRUE(tidied->relistedMessages.empty());
  EXPECT_EQ(store.Subjects("In"), (Names{"arrived"}));
}

}  // namespace
}  // namespace ostrel::store
