// Each move, import and reset is killed at every moment in turn: right before
// each of its flushes, renames and removals. Whatever the moment, no box
// list names a message file that is gone. Once the start-up has tidied up
// after a killed move, every message is in exactly one box, as before the
// move or as after it, and no file is left that nothing lists.

#include <gmock/gmock.h>

#include <functional>
#include <map>
#include <set>

#include "store/box_emptying.h"
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
using testing::StoreFolder;
using testing::WriteBytes;

testing::RecordingDialogs AnsweringYes() {
  testing::RecordingDialogs dialogs;
  dialogs.answers = {base::Answer::Yes};
  return dialogs;
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

using BoxContents = std::map<std::string, std::vector<std::string>>;

// Box name -> subjects in list order, for every box that holds any.
BoxContents Contents(const StoreFolder& store) {
  BoxContents contents;
  for (const char* box : {"In", "Sent", "Junk", "Trash"}) {
    if (auto subjects = store.Subjects(box); !subjects.empty()) contents[box] = subjects;
  }
  return contents;
}

struct MoveCase {
  std::string name;
  std::function<void(StoreFolder&)> fill;
  std::function<void(const std::string& folder)> move;
  BoxContents before, after;
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
  const auto fillTrash = [](StoreFolder& store) { store.AddMessages("Trash", {"t0", "t1", "t2"}, true); };
  const auto cleanUp = [](const std::string& folder, const std::string& box, std::vector<std::size_t> rows) {
    auto yes = AnsweringYes();
    CleanUp(folder, box).Delete(rows, yes);
  };
  // Delete Msg from the Trash takes the same way as its clean-up, with one record.
  return {
      {"Delete Msg from In", fillIn, [](const std::string& folder) { DeleteMessage(folder, "In", 2); },
       {{"In", {"a", "b", "c"}}, {"Trash", {"t0"}}}, {{"In", {"a", "c"}}, {"Trash", {"t0", "b"}}}},
      {"Clean-up of Junk", fillJunk, [cleanUp](const std::string& folder) { cleanUp(folder, "Junk", {0, 2}); },
       {{"Junk", {"j1", "j2", "j3", "j4"}}, {"Trash", {"t0"}}}, {{"Junk", {"j1", "j3"}}, {"Trash", {"t0", "j2", "j4"}}}},
      {"Clean-up of the Trash", fillTrash, [cleanUp](const std::string& folder) { cleanUp(folder, "Trash", {0, 2}); },
       {{"Trash", {"t0", "t1", "t2"}}}, {{"Trash", {"t1"}}}},
      {"Emptying the Trash", fillTrash, [](const std::string& folder) { EmptyTheTrash(folder); },
       {{"Trash", {"t0", "t1", "t2"}}}, {}},
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
      testing::RecordedCalls calls;
      move.move(store.Folder());
      events = calls.events;
      EXPECT_EQ(Contents(store), move.after);
    }
    EXPECT_GT(testing::ExpectFlushedAroundEveryRename(events), 0u);

    for (std::size_t call = 1; call <= events.size() + 1; ++call) {
      SCOPED_TRACE("killed before call " + std::to_string(call) + " of " + std::to_string(events.size()));
      StoreFolder store;
      move.fill(store);
      const bool killed = KilledBeforeCall([&] { move.move(store.Folder()); }, call, "the move");
      EXPECT_EQ(killed, call <= events.size());
      ExpectSoundBoxes(store);

      const Tidied tidied = TidyAfterInterruptedRuns(store.Folder());
      EXPECT_THAT(Contents(store), ::testing::AnyOf(move.before, move.after));
      EXPECT_TRUE(tidied.relistedMessages.empty()) << "the move journal alone settles a move";
      ExpectSoundBoxes(store);
      testing::ExpectNothingLeftBehind(store);
      if (::testing::Test::HasFailure()) return;
    }
  }
}

// Import and reset keep no journal: their order alone keeps every record's
// files there, and every box its index; the store goes on working after.
TEST(KillTest, AnImportOrResetKilledAtAnyMomentLeavesSoundBoxes) {
  const FoldersInMemory inMemory;
  for (const bool reset : {false, true}) {
    const auto work = [reset](const StoreFolder& store) {
      auto yes = AnsweringYes();
      if (reset) {
        ResetAllBoxes(store.Folder(), yes);
      } else {
        ImportMessage(store.Folder(), store / "source.txt", "1/1/2026");
      }
    };
    bool killed = true;
    for (std::size_t call = 1; killed; ++call) {
      SCOPED_TRACE((reset ? "reset" : "import") + std::string(" killed before call ") + std::to_string(call));
      StoreFolder store;
      WriteBytes(store / "source.txt", "imported text\r\n");
      for (const char* box : {"In", "Sent", "Junk", "Trash"}) store.AddMessages(box, {"x", "y"}, true);
      killed = KilledBeforeCall([&] { work(store); }, call, "the work");
      ExpectSoundBoxes(store);
      for (const auto& info : kBoxes) {
        EXPECT_TRUE(std::filesystem::exists(store / std::string(info.name) / "index.dat")) << info.name;
      }
      work(store);
      ExpectSoundBoxes(store);
      if (::testing::Test::HasFailure()) return;
    }
  }
}

}  // namespace
}  // namespace ostrel::store
