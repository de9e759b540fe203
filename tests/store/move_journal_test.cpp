// The move journal: what it holds while a move is under way, how a move that
// failed is finished from it, and a journal that cannot be read. (A move cut
// off before the rewrite is taken back at start-up: interrupted_runs_test.)

#include "store/move_journal.h"

#include <gtest/gtest.h>

#include <set>

#include "store/box_emptying.h"
#include "store/trash_moves.h"
#include "store_folder.h"
#include "support/recording_calls.h"

namespace ostrel::store {
namespace {

using testing::FileSystemEvent;
using testing::Names;
using testing::ReadBytes;
using testing::RecordedCalls;
using testing::StoreFolder;
using testing::WriteBytes;

// The message files of a box folder, without the index.
std::set<std::string> MessageFiles(const StoreFolder& store, const std::string& box) {
  std::set<std::string> names;
  for (const auto& [name, bytes] : store.Files(box)) names.insert(name);
  names.erase("index.dat");
  return names;
}

// The disk refuses one call of a Delete Msg, each call in turn: the move
// either happens or not, never half, and says so when it did not. A refused
// removal after the rewrite leaves the journal, and settling it finishes
// the move. The last round refuses nothing: the move runs whole.
TEST(MoveJournalTest, AFailedCallAtAnyStepLeavesTheMessageInExactlyOneBox) {
  bool refusedOne = true;
  for (std::size_t refused = 1; refusedOne; ++refused) {
    SCOPED_TRACE("call " + std::to_string(refused) + " refused");
    StoreFolder store;
    store.AddMessages("In", {"a", "b", "c"}, true);
    bool failed = false;
    std::size_t seen = 0;
    {
      RecordedCalls recorded;
      recorded.refuse = [&](const FileSystemEvent&) { return ++seen == refused; };
      try {
        DeleteMessage(store.Folder(), "In", 2);
      } catch (const std::exception&) {
        failed = true;
      }
    }
    refusedOne = seen >= refused;
    const Names trash = store.Subjects("Trash");
    const bool moved = trash == Names{"b"};
    EXPECT_TRUE(moved || trash.empty());
    EXPECT_EQ(store.Subjects("In"), (moved ? Names{"a", "c"} : Names{"a", "b", "c"}));
    EXPECT_NE(moved, failed) << "a move that did not happen is reported, and only then";
    // A file that would not go is still named in the journal, for the next start.
    SettleJournaledMove(store.Folder());
    EXPECT_FALSE(std::filesystem::exists(store / kMoveJournalName));
    EXPECT_EQ(MessageFiles(store, "In").size(), moved ? 4u : 6u);
    EXPECT_EQ(MessageFiles(store, "Trash").size(), moved ? 2u : 0u);
  }
}

TEST(MoveJournalTest, EmptyingTheTrashNamesItsFilesUntilTheyAreGone) {
  StoreFolder store;
  store.AddMessages("Trash", {"x"}, true);
  store.AddMessages("Trash", {"y"});
  {
    RecordedCalls recorded;
    recorded.refuse = [](const FileSystemEvent& event) { return event.kind == FileSystemEvent::Kind::Remove; };
    EmptyTheTrash(store.Folder());
  }
  EXPECT_EQ(ReadBytes(store / kMoveJournalName), "Trash\r\nMSG1\r\nMSG2\r\n");
  EXPECT_EQ(store.Subjects("Trash"), Names{});
  EXPECT_EQ(MessageFiles(store, "Trash").size(), 3u);
  // The next move settles what the last one left before it starts.
  store.AddMessages("In", {"next"});
  DeleteMessage(store.Folder(), "In", 1);
  EXPECT_EQ(MessageFiles(store, "Trash"), (std::set<std::string>{"MSG3.txt"}));
  EXPECT_EQ(store.Subjects("Trash"), (Names{"next"}));
  EXPECT_FALSE(std::filesystem::exists(store / kMoveJournalName));
}

TEST(MoveJournalTest, AJournalThatCannotBeReadIsDroppedWithoutActingOnIt) {
  for (const std::string text : {"Nowhere\r\nMSG1 MSG2\r\n", "In\r\n../In MSG2\r\n", "In\r\nMSG1\r\n",
                                 "Trash\r\nMSG1 MSG2\r\n", "In\r\nMSG1 \r\n", ""}) {
    SCOPED_TRACE(text);
    StoreFolder store;
    store.AddMessages("In", {"a"});
    store.AddMessages("Trash", {"t"});
    WriteBytes(store / kMoveJournalName, text);
    EXPECT_TRUE(SettleJournaledMove(store.Folder()));
    EXPECT_FALSE(std::filesystem::exists(store / kMoveJournalName));
    EXPECT_EQ(store.Subjects("In"), (Names{"a"}));
    EXPECT_EQ(store.Subjects("Trash"), (Names{"t"}));
    EXPECT_EQ(MessageFiles(store, "In").size(), 1u);
    EXPECT_EQ(MessageFiles(store, "Trash").size(), 1u);
  }
}

}  // namespace
}  // namespace ostrel::store
