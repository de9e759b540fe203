// The progress window of long work follows the counts it is given, however
// large, and goes away with the work.

#include <gtest/gtest.h>

#include <QProgressDialog>
#include <QWidget>

#include "ui/work_progress.h"

namespace ostrel::ui {
namespace {

TEST(WorkProgressTest, LongWorkShowsTheCountsAndGoesWithTheWork) {
  QWidget parent;
  {
    WorkProgress progress(&parent, "Emptying the Trash...", 0);
    const auto report = progress.Report();
    report(0, 40);
    ASSERT_NE(progress.Window(), nullptr);
    EXPECT_TRUE(progress.Window()->isVisible());
    report(40, 40);
    EXPECT_EQ(progress.Window()->maximum(), 40);
    EXPECT_EQ(progress.Window()->value(), 40);
  }
  EXPECT_EQ(parent.findChild<QProgressDialog*>(), nullptr);
}

TEST(WorkProgressTest, TotalsBeyondTheWindowsRangeAreScaledDown) {
  QWidget parent;
  WorkProgress progress(&parent, "Deciphering the attachments...", 0);
  const std::size_t huge = std::size_t{1} << 40;
  progress.Report()(huge / 2, huge);
  ASSERT_NE(progress.Window(), nullptr);
  const QProgressDialog& window = *progress.Window();
  EXPECT_NEAR(static_cast<double>(window.value()) / window.maximum(), 0.5, 0.01);
}

}  // namespace
}  // namespace ostrel::ui
