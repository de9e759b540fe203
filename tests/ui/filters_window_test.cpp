// The filters window, opened from File/Filters.

#include "settings/mail_options.h"
#include "ui/frm_filters.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

using ::testing::IsEmpty;

class FiltersWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    WriteBytes(store / "filter.dat", "casino\r\n\r\n  free money \r\n");
  }
};

TEST_F(FiltersWindowTest, SaveWithUseFiltersClearWritesTheEntriesAndSaysFilteringIsOff) {
  Start();
  Open<ui::frmFilters>(window->flefil, [](auto& filters) {
    EXPECT_EQ(filters.windowTitle(), "Filters");
    EXPECT_EQ(filters.Label1->text(),
              "Enter words or phrases for Filtering.  This will scan both Subject and Body and will place in the "
              "Junk folder when found.");
    EXPECT_EQ(filters.Text1->toPlainText(), "casino\n\n  free money \n");
    filters.Text1->appendPlainText("lottery");
    filters.Command1->click();
    EXPECT_FALSE(filters.isVisible());
  });
  EXPECT_THAT(dialogs.ShownTexts(),
              ElementsAre("You need to select Use Filters in options before filtering can take effect."));
  EXPECT_EQ(ReadBytes(store / "filter.dat"), "casino\r\n\r\n  free money \r\n\r\nlottery\r\n");
}

TEST_F(FiltersWindowTest, WithFilteringOnSaveIsQuietAndAnEmptyBoxOrCancelKeepsTheFile) {
  settings::OptionsFile options;
  options.options.UseFilters = true;
  settings::WriteOptions(store.Folder(), options);
  Start();
  Open<ui::frmFilters>(window->flefil, [](auto& filters) {
    filters.Text1->clear();
    filters.Command1->click();
  });
  Open<ui::frmFilters>(window->flefil, [](auto& filters) {
    filters.Text1->setPlainText("changed");
    filters.Command2->click();
  });
  EXPECT_THAT(dialogs.ShownTexts(), IsEmpty());
  EXPECT_EQ(ReadBytes(store / "filter.dat"), "casino\r\n\r\n  free money \r\n");
}

}  // namespace
}  // namespace ostrel::testing
