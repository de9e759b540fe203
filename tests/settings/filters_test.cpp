#include "settings/filters.h"

#include "settings_fixture.h"

namespace ostrel::settings {
namespace {

using Filters = SettingsTest;

const std::string kReminder = "You need to select Use Filters in options before filtering can take effect.";

MailOptions Filtering(bool on) {
  MailOptions options;
  options.UseFilters = on;
  return options;
}

TEST_F(Filters, SaveRemindsOnlyWithFilteringOff) {
  SaveFilterText(folder.Path(), "viagra\r\n cheap ", Filtering(true), dialogs);
  EXPECT_TRUE(dialogs.shown.empty());
  SaveFilterText(folder.Path(), "viagra\r\n cheap ", Filtering(false), dialogs);
  EXPECT_EQ(ReadBytes(folder / "filter.dat"), "viagra\r\n cheap \r\n");
  EXPECT_EQ(dialogs.ShownTexts(), Texts{kReminder});
}

TEST_F(Filters, SavingAnEmptyBoxKeepsTheOldFile) {
  WriteBytes(folder / "filter.dat", "spam\r\n");
  SaveFilterText(folder.Path(), "", Filtering(true), dialogs);
  EXPECT_EQ(ReadBytes(folder / "filter.dat"), "spam\r\n");
}

TEST_F(Filters, SavingTheLoadedTextAddsOneEmptyLineThatReceivingIgnores) {
  WriteBytes(folder / "filter.dat", "one\r\n two \r\n\r\nthree");
  const std::string box = LoadFilterText(folder.Path());
  EXPECT_EQ(box, "one\r\n two \r\n\r\nthree\r\n");
  SaveFilterText(folder.Path(), box, Filtering(true), dialogs);
  EXPECT_EQ(ReadBytes(folder / "filter.dat"), "one\r\n two \r\n\r\nthree\r\n\r\n");
  EXPECT_EQ(ReadFilterEntries(folder.Path()), (Texts{"one", " two ", "three"}));
}

TEST_F(Filters, ReceivingTakesAtMost5000Entries) {
  std::string bytes;
  for (int i = 0; i < 5002; ++i) bytes += "w" + std::to_string(i) + "\r\n\r\n";
  WriteBytes(folder / "filter.dat", bytes);
  const Texts entries = ReadFilterEntries(folder.Path());
  ASSERT_EQ(entries.size(), kMaxFilterEntries);
  EXPECT_EQ(entries.back(), "w4999");
}

}  // namespace
}  // namespace ostrel::settings
