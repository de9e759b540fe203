// The window tests run in one QApplication on the offscreen platform, so
// they need no display and never show anything to anyone; notices of new
// mail find no desktop bus either.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/ostrel-window-tests", 1);
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
