// The window tests run in one application, the program's own, on the
// offscreen platform, so they need no display and never show anything to
// anyone; notices of new mail find no desktop bus either.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ui/program_application.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/ostrel-window-tests", 1);
  ostrel::ui::ProgramApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
