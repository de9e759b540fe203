// The help pages written into the program folder: from the installed pages of
// an installed program, from the program's own copies otherwise, never over a
// page that is already there. A program that is not installed shows its own
// copies in the message window tests.

#include "ui/help_pages.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace ostrel::ui {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

TEST(HelpPagesTest, InstalledPagesComeFirstAndAPageAlreadyThereStays) {
  TempFolder installed;
  TempFolder program;
  WriteBytes(installed / "oxmkey.htm", "<html>installed key page</html>");
  WriteBytes(installed / "oxmsend.htm", "<html>installed send page</html>");
  WriteBytes(program / "oxmsend.htm", "<html>the user's own notes</html>");

  InstallHelpPages(program.Path(), installed.Path());

  EXPECT_EQ(ReadBytes(program / "oxmkey.htm"), "<html>installed key page</html>");
  EXPECT_EQ(ReadBytes(program / "oxmsend.htm"), "<html>the user's own notes</html>");
  // Not installed: the program's own copy.
  EXPECT_NE(ReadBytes(program / "oxmrecv.htm").find("<title>Receiving Email</title>"), std::string::npos);
  EXPECT_NE(ReadBytes(program / "oxmover.htm").find("<title>Using Ostrel Email</title>"), std::string::npos);
}

}  // namespace
}  // namespace ostrel::ui
