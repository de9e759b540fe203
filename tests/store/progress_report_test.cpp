// Long store work says how far it has come: counts only go up, never pass the
// total, and end at it, whatever the input.

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "store/box_emptying.h"
#include "store/trash_moves.h"
#include "store_folder.h"

namespace ostrel::store {
namespace {

using testing::StoreFolder;

struct ProgressLog {
  std::vector<std::pair<std::size_t, std::size_t>> steps;

  base::ProgressReport Report() {
    return [this](std::size_t done, std::size_t total) { steps.emplace_back(done, total); };
  }

  // Every report has the same total, counts never go back or past it, and
  // the last report says the work is done.
  void ExpectCompleteCountTo(std::size_t total) const {
    ASSERT_FALSE(steps.empty());
    std::size_t previous = 0;
    for (const auto& [done, reportedTotal] : steps) {
      EXPECT_EQ(reportedTotal, total);
      EXPECT_GE(done, previous);
      EXPECT_LE(done, total);
      previous = done;
    }
    EXPECT_EQ(steps.back().first, total);
  }
};

TEST(ProgressReportTest, RemovingRecordsCountsEveryStepOfItsWork) {
  struct Case {
    const char* box;
    std::set<std::size_t> records;
    std::size_t steps;  // a move to the Trash is a copy and a removal
  };
  // Record 9 does not exist and is no work.
  for (const Case& test : {Case{"In", {1, 3, 9}, 4}, Case{"Trash", {1, 2, 3}, 3}, Case{"Sent", {9}, 0}}) {
    SCOPED_TRACE(test.box);
    StoreFolder store;
    for (const char* subject : {"a", "b", "c", "d"}) store.AddMessage(test.box, subject, "text\r\n");
    ProgressLog log;
    RemoveRecords(store.Folder(), test.box, test.records, log.Report());
    log.ExpectCompleteCountTo(test.steps);
    EXPECT_EQ(log.steps.front().first, 0u);
  }
}

TEST(ProgressReportTest, EmptyingTheTrashCountsItsMessages) {
  StoreFolder store;
  for (int i = 0; i < 5; ++i) store.AddMessage("Trash", "old", "text\r\n");
  ProgressLog log;
  EXPECT_EQ(EmptyTheTrash(store.Folder(), log.Report()), "MSG5");
  log.ExpectCompleteCountTo(5);
}

}  // namespace
}  // namespace ostrel::store
