#include "settings/notice_marker.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace ostrel::settings {
namespace {

using ostrel::testing::ReadBytes;
using ostrel::testing::TempFolder;
using ostrel::testing::WriteBytes;

TEST(NoticeMarker, DueUntilTheBoxIsTickedOnClosingOrTheMarkerHoldsAnything) {
  TempFolder folder;
  EXPECT_TRUE(NoticeDue(folder.Path()));
  EXPECT_EQ(ReadBytes(folder / "opt.dne"), "");
  CloseNotice(folder.Path(), false);
  EXPECT_TRUE(NoticeDue(folder.Path()));
  CloseNotice(folder.Path(), true);
  EXPECT_EQ(ReadBytes(folder / "opt.dne"), "Done\r\n");
  EXPECT_FALSE(NoticeDue(folder.Path()));
  WriteBytes(folder / "opt.dne", "x");  // any content suppresses the notice
  EXPECT_FALSE(NoticeDue(folder.Path()));
}

}  // namespace
}  // namespace ostrel::settings
