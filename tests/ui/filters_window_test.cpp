// The filters window, opened from File/Filters. What Save writes and when it
// reminds of the option is the filters' own, tested beside them.

#include "ui/filters_dialog.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

using FiltersWindowTest = MainWindowTest;

TEST_F(FiltersWindowTest, ShowsTheEntriesAndSaveButNotCancelWritesTheEditedLinesBack) {
  WriteBytes(store / "filter.dat", "casino\r\n\r\n  free money \r\n");
  Start();
  Open<ui::FiltersDialog>(window->filtersAction, [](auto& filters) {
    filters.filtersEdit->setPlainText("changed");
    filters.cancelButton->click();
  });
  EXPECT_EQ(ReadBytes(store / "filter.dat"), "casino\r\n\r\n  free money \r\n");
  Open<ui::FiltersDialog>(window->filtersAction, [](auto& filters) {
    EXPECT_EQ(filters.windowTitle(), "Filters");
    EXPECT_EQ(filters.filtersLabel->text(),
              "Enter words or phrases for Filtering.  This will scan both Subject and Body and will place in the "
              "Junk folder when found.");
    EXPECT_EQ(filters.filtersEdit->toPlainText(), "casino\n\n  free money \n");
    filters.filtersEdit->appendPlainText("lottery");
    filters.saveButton->click();
    EXPECT_FALSE(filters.isVisible());
  });
  EXPECT_THAT(dialogs.ShownTexts(),
              ElementsAre("You need to select Use Filters in options before filtering can take effect."));
  EXPECT_EQ(ReadBytes(store / "filter.dat"), "casino\r\n\r\n  free money \r\n\r\nlottery\r\n");
}

}  // namespace
}  // namespace ostrel::testing
