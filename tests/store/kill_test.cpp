// A child process deletes, cleans up, imports and resets in a loop and is
// killed at random moments. Whatever moment the kill hits, no box list is
// left half-written, every record's message file is there, and every message
// a delete or clean-up was moving is in its old box or in the Trash.
//
// Then each move is killed at every moment in turn: right before each of its
// flushes, renames and removals. Once the start-up has tidied up after the
// kill, every message is in exactly one box, as before the move or as after
// it, and no file is left that nothing lists.

#include <gmock/gmock.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <thread>

#include "base/dialogs.h"
#include "base/safe_file.h"
#include "store/box_emptying.h"
#include "store/box_view.h"
#include "store/clean_up.h"
#include "store/import_reset.h"
#include "store/interrupted_runs.h"
#include "store/mail_box.h"
#include "store/trash_moves.h"
#include "store_folder.h"
#include "support/flush_order.h"
#include "support/kills.h"
#include "support/recording_calls.h"

namespace ostrel::store {
namespace {

using testing::FoldersInMemory;
using testing::KilledBeforeCall;
using testing::ReadBytes;
using testing::StoreFolder;
using testing::WriteBytes;

constexpr int kRounds = 50;
constexpr int kMessages = 12;

class AlwaysYes : public base::Dialogs {
 public:
  void Show(const base::MessageBox&) override {}
  base::Answer Ask(const base::MessageBox&) override { return base::Answer::Yes; }
  void SetStatus(std::string_view) override {}
};

// Runs work in a child process, kills it after `delay` (unless it is done),
// and returns how long the child ran.
std::chrono::microseconds RunAndKill(const std::function<void()>& work, std::chrono::microseconds delay) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child == 0) {
    try {
      work();
    } catch (...) {
      ::_exit(2);
    }
    ::_exit(0);
  }
  EXPECT_GT(child, 0);
  int status = 0;
  while (std::chrono::steady_clock::now() - start < delay) {
    if (::waitpid(child, &status, WNOHANG) == child) {
      EXPECT_EQ(WEXITSTATUS(status), 0) << "the child failed";
      return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(50));
  }
  ::kill(child, SIGKILL);
  ::waitpid(child, &status, 0);
  return delay;
}

// Every box list holds whole records whose text files are all present, and
// no two records of a box name the same message.
void ExpectSoundBoxes(const StoreFolder& store) {
  for (const auto& info : kBoxes) {
    const MailBox box(store.Folder(), info.name);
    std::error_code error;
    const auto length = std::filesystem::file_size(box.ListPath(), error);
    if (error) continue;
    EXPECT_EQ(length % kBoxRecordLength, 0u) << info.listFile;
    std::set<std::string> names;
    for (const auto& record : box.ReadAllBytes()) {
      const std::string name = MessageNameOf(record);
      EXPECT_TRUE(names.insert(name).second) << info.name << " names " << name << " twice";
      EXPECT_TRUE(std::filesystem::exists(box.TextPath(name))) << info.name << "/" << name;
    }
  }
}

// The message texts held by a box.
std::set<std::string> Texts(const StoreFolder& store, const std::string& boxName) {
  std::set<std::string> texts;
  const MailBox box(store.Folder(), boxName);
  for (const auto& record : box.ReadAllBytes()) texts.insert(ReadBytes(box.TextPath(MessageNameOf(record))));
  return texts;
}

void MoveEverythingToTheTrash(const std::string& folder, unsigned seed) {
  std::mt19937 random(seed);
  AlwaysYes yes;
  for (;;) {
    const MailBox in(folder, "In");
    const std::size_t count = in.Count();
    if (count == 0) return;
    if (random() % 2 == 0) {
      DeleteMessage(folder, "In", 1 + random() % count);
    } else {
      CleanUp cleanUp(folder, "In");
      std::vector<std::size_t> rows;
      for (std::size_t row = 0; row < cleanUp.Rows().size(); ++row) {
        if (random() % 3 == 0) rows.push_back(row);
      }
      if (rows.empty()) rows.push_back(0);
      cleanUp.Delete(rows, yes);
    }
  }
}

// Fills a fresh store, runs `work` in a child killed at a random moment of
// a full run, then has `check` look at what is left; round after round.
void KillAtRandomMoments(unsigned seed, const std::function<void(StoreFolder&)>& fill,
                         const std::function<void(const StoreFolder&, unsigned)>& work,
                         const std::function<void(const StoreFolder&)>& check) {
  const FoldersInMemory inMemory;
  std::mt19937 random(seed);
  std::chrono::microseconds fullRun{0};
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    StoreFolder store;
    fill(store);
    const unsigned workSeed = static_cast<unsigned>(random());
    const auto run = [&] { work(store, workSeed); };
    if (round == 0) {
      fullRun = RunAndKill(run, std::chrono::seconds(60));
    } else {
      RunAndKill(run, std::chrono::microseconds(random() % static_cast<unsigned>(fullRun.count() + 1)));
    }
    ExpectSoundBoxes(store);
    check(store);
    // The store goes on working after the kill.
    work(store, workSeed + 1);
    ExpectSoundBoxes(store);
    if (::testing::Test::HasFailure()) return;
  }
}

TEST(KillTest, DeleteAndCleanUpNeverLoseAMessage) {
  std::set<std::string> all;
  for (int i = 0; i < kMessages; ++i) all.insert("message " + std::to_string(i) + "\r\n");
  KillAtRandomMoments(
      20261206,
      [&](StoreFolder& store) {
        for (const auto& text : all) store.AddMessage("In", "subject", text, text);
      },
      [](const StoreFolder& store, unsigned seed) { MoveEverythingToTheTrash(store.Folder(), seed); },
      [&](const StoreFolder& store) {
        auto kept = Texts(store, "In");
        kept.merge(Texts(store, "Trash"));
        EXPECT_EQ(kept, all);
      });
}

void ImportAndReset(const std::string& folder, const std::filesystem::path& source, unsigned seed) {
  std::mt19937 random(seed);
  AlwaysYes yes;
  for (int step = 0; step < 40; ++step) {
    switch (random() % 4) {
      case 0:
        ResetAllBoxes(folder, yes);
        break;
      case 1:
        ImportAttachment(folder, source);
        break;
      default:
        ImportMessage(folder, source, "1/1/2026 1:00:00 AM");
        if (MailBox(folder, "In").Count() > 3) DeleteMessage(folder, "In", 1);
    }
  }
}

TEST(KillTest, ImportAndResetLeaveSoundBoxes) {
  KillAtRandomMoments(
      424242, [](StoreFolder& store) { WriteBytes(store / "source.txt", "imported text\r\n"); },
      [](const StoreFolder& store, unsigned seed) { ImportAndReset(store.Folder(), store / "source.txt", seed); },
      [](const StoreFolder& store) {
        for (const auto& info : kBoxes) {
          EXPECT_TRUE(std::filesystem::exists(store / std::string(info.name) / "index.dat")) << info.name;
        }
      });
}

// ---- Kills at chosen moments ----

using BoxContents = std::map<std::string, std::vector<std::string>>;  // box name -> subjects in list order

BoxContents Contents(const StoreFolder& store) {
  BoxContents contents;
  for (const char* box : {"In", "Sent", "Junk", "Trash"}) contents[box] = store.Subjects(box);
  return contents;
}

// Every file of a box folder belongs to a record of its list, and no file
// the program writes only for a while is left anywhere.
void ExpectNothingUnlisted(const StoreFolder& store) {
  for (const auto& info : kBoxes) {
    EXPECT_EQ(store.UnlistedFiles(std::string(info.name)), std::vector<std::string>{}) << info.name;
  }
  for (const auto& entry : std::filesystem::recursive_directory_iterator(store / "")) {
    const std::string name = entry.path().filename().string();
    EXPECT_FALSE(base::IsTemporaryFileName(name) || name == "move.dat") << entry.path() << " was left behind";
  }
}

struct MoveCase {
  std::string name;
  std::function<void(StoreFolder&)> fill;
  std::function<void(const std::string& folder)> move;
  BoxContents before, after;
  // The list whose rewrite makes the move happen; a move into the Trash
  // appends to "trash.dat" before it.
  std::string commitList;
};

std::vector<MoveCase> MoveCases() {
  const auto fillIn = [](StoreFolder& store) {
    store.AddMessages("Trash", {"t0"}, true);
    store.AddMessages("In", {"a", "b", "c"}, true);
  };
  const auto fillJunk = [](StoreFolder& store) {
    store.AddMessages("Trash", {"t0"});
    store.AddMessages("Junk", {"j1", "j2", "j3", "j4"}, true);
  };
  const auto fillSent = [](StoreFolder& store) { store.AddMessages("Sent", {"s"}); };  // without a web file
  const auto fillTrash = [](StoreFolder& store) { store.AddMessages("Trash", {"t0", "t1", "t2"}, true); };
  const auto cleanUp = [](const std::string& folder, const std::string& box, std::vector<std::size_t> rows) {
    AlwaysYes yes;
    CleanUp(folder, box).Delete(rows, yes);
  };
  const BoxContents none = {{"In", {}}, {"Sent", {}}, {"Junk", {}}, {"Trash", {}}};
  const auto with = [&](std::initializer_list<std::pair<const std::string, std::vector<std::string>>> boxes) {
    BoxContents contents = none;
    for (const auto& [box, subjects] : boxes) contents[box] = subjects;
    return contents;
  };
  return {
      {"Delete Msg from In", fillIn, [](const std::string& folder) { DeleteMessage(folder, "In", 2); },
       with({{"In", {"a", "b", "c"}}, {"Trash", {"t0"}}}), with({{"In", {"a", "c"}}, {"Trash", {"t0", "b"}}}),
       "inbox.dat"},
      {"Delete Msg from Sent", fillSent, [](const std::string& folder) { DeleteMessage(folder, "Sent", 1); },
       with({{"Sent", {"s"}}}), with({{"Trash", {"s"}}}), "sent.dat"},
      {"Clean-up of Junk", fillJunk, [cleanUp](const std::string& folder) { cleanUp(folder, "Junk", {0, 2}); },
       with({{"Junk", {"j1", "j2", "j3", "j4"}}, {"Trash", {"t0"}}}),
       with({{"Junk", {"j1", "j3"}}, {"Trash", {"t0", "j2", "j4"}}}), "junk.dat"},
      {"Delete Msg from the Trash", fillTrash, [](const std::string& folder) { DeleteMessage(folder, "Trash", 2); },
       with({{"Trash", {"t0", "t1", "t2"}}}), with({{"Trash", {"t0", "t2"}}}), "trash.dat"},
      {"Clean-up of the Trash", fillTrash, [cleanUp](const std::string& folder) { cleanUp(folder, "Trash", {0, 2}); },
       with({{"Trash", {"t0", "t1", "t2"}}}), with({{"Trash", {"t1"}}}), "trash.dat"},
      {"Emptying the Trash", fillTrash, [](const std::string& folder) { EmptyTheTrash(folder); },
       with({{"Trash", {"t0", "t1", "t2"}}}), with({}), "trash.dat"},
  };
}

TEST(KillTest, AMoveKilledAtAnyMomentLeavesEveryMessageInExactlyOneBox) {
  const FoldersInMemory inMemory;
  for (const MoveCase& move : MoveCases()) {
    SCOPED_TRACE(move.name);
    // A run to the end, recorded: which calls there are to kill it before.
    std::vector<testing::FileSystemEvent> events;
    {
      StoreFolder store;
      move.fill(store);
      ASSERT_EQ(Contents(store), move.before);
      testing::RecordedCalls calls;
      move.move(store.Folder());
      events = calls.events;
      EXPECT_EQ(Contents(store), move.after);
    }
    EXPECT_GT(testing::ExpectFlushedAroundEveryRename(events), 0u);
    // Among the moments: right after the Trash append is flushed and before
    // the box list takes its new contents.
    const auto commit = std::find_if(events.begin(), events.end(), [&](const testing::FileSystemEvent& event) {
      return event.kind == testing::FileSystemEvent::Kind::Rename && event.target.filename() == move.commitList;
    });
    ASSERT_NE(commit, events.end());
    if (move.before.at("Trash").size() < move.after.at("Trash").size()) {
      const auto appended = std::find_if(events.begin(), commit, [](const testing::FileSystemEvent& event) {
        return event.kind == testing::FileSystemEvent::Kind::Flush && event.path.filename() == "trash.dat";
      });
      EXPECT_NE(appended, commit) << "the Trash record is appended before the rewrite";
    }

    for (std::size_t call = 1; call <= events.size() + 1; ++call) {
      SCOPED_TRACE("killed before call " + std::to_string(call) + " of " + std::to_string(events.size()));
      StoreFolder store;
      move.fill(store);
      const bool killed = KilledBeforeCall([&] { move.move(store.Folder()); }, call, "the move");
      EXPECT_EQ(killed, call <= events.size());
      ExpectSoundBoxes(store);

      const Tidied tidied = TidyAfterInterruptedRuns(store.Folder());
      const BoxContents contents = Contents(store);
      EXPECT_THAT(contents, ::testing::AnyOf(move.before, move.after));
      EXPECT_TRUE(tidied.relistedMessages.empty()) << "the move journal alone settles a move";
      ExpectSoundBoxes(store);
      ExpectNothingUnlisted(store);
      if (::testing::Test::HasFailure()) return;
    }
  }
}

}  // namespace
}  // namespace ostrel::store
