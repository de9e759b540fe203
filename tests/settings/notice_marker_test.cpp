#include "settings/notice_marker.h"

#include "settings_fixture.h"

namespace ostrel::settings {
namespace {

using NoticeMarker = SettingsTest;

TEST_F(NoticeMarker, DueUntilTheBoxIsTickedOnClosingOrTheMarkerHoldsAnything) {
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
