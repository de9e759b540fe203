#include "settings/filters.h"

#include <gtest/gtest.h>

#include "support/recording_dialogs.h"
#include "support/temp_folder.h"

namespace ostrel::settings {
namespace {

using ostrel::testing::ReadBytes;
using ostrel::testing::RecordingDialogs;
using ostrel::testing::TempFolder;
using ostrel::testing::WriteBytes;
using Texts = std::vector<std::string>;

const std::string kReminder = "You need to select Use Filters in options before filtering can take effect.";

MailOptions Filtering(bool on) {
  MailOptions options;
  options.UseFilters = on;
  return options;
}

TEST(Filters, LoadingAMissingFileCreatesItEmpty) {
  TempFolder folder;
  EXPECT_EQ(LoadFilterText(folder.Path()), "");
  EXPECT_EQ(ReadBytes(folder / "filter.dat"), "");
}

TEST(Filters, SaveRemindsOnlyWithFilteringOff) {
  struct Case {
    bool filtering;
    Texts shown;
  };
  for (const Case& c : {Case{false, {kReminder}}, Case{true, {}}}) {
    SCOPED_TRACE(c.filtering);
    TempFolder folder;
    RecordingDialogs dialogs;
    SaveFilterText(folder.Path(), "viagra\r\n cheap ", Filtering(c.filtering), dialogs);
    EXPECT_EQ(ReadBytes(folder / "filter.dat"), "viagra\r\n cheap \r\n");
    EXPECT_EQ(dialogs.ShownTexts(), c.shown);
  }
}

TEST(Filters, SavingAnEmptyBoxKeepsTheOldFile) {
  TempFolder folder;
  RecordingDialogs dialogs;
  WriteBytes(folder / "filter.dat", "spam\r\n");
  SaveFilterText(folder.Path(), "", Filtering(true), dialogs);
  EXPECT_EQ(ReadBytes(folder / "filter.dat"), "spam\r\n");
}

TEST(Filters, SavingTheLoadedTextAddsOneEmptyLineThatReceivingIgnores) {
  TempFolder folder;
  RecordingDialogs dialogs;
  WriteBytes(folder / "filter.dat", "one\r\n two \r\n\r\nthree");
  const std::string box = LoadFilterText(folder.Path());
  EXPECT_EQ(box, "one\r\n two \r\n\r\nthree\r\n");
  SaveFilterText(folder.Path(), box, Filtering(true), dialogs);
  EXPECT_EQ(ReadBytes(folder / "filter.dat"), "one\r\n two \r\n\r\nthree\r\n\r\n");
  EXPECT_EQ(ReadFilterEntries(folder.Path()), (Texts{"one", " two ", "three"}));
}

TEST(Filters, ReceivingTakesAtMost5000Entries) {
  TempFolder folder;
  std::string bytes;
  for (int i = 0; i < 5002; ++i) bytes += "w" + std::to_string(i) + "\r\n\r\n";
  WriteBytes(folder / "filter.dat", bytes);
  const Texts entries = ReadFilterEntries(folder.Path());
  ASSERT_EQ(entries.size(), kMaxFilterEntries);
  EXPECT_EQ(entries.back(), "w4999");
}

}  // namespace
}  // namespace ostrel::settings
