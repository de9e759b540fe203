// The help pages written into the program folder: from the installed pages of
// an installed program, from the program's own copies otherwise, never over a
// page that is already there.

#include "ui/help_pages.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace ostrel::ui {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

TEST(HelpPagesTest, TheProgramsOwnCopiesFillAFreshFolder) {
  TempFolder program;
  InstallHelpPages(program.Path(), std::nullopt);
  for (const auto name : kHelpPages) {
    SCOPED_TRACE(name);
    const std::string page = ReadBytes(program / std::string(name));
    EXPECT_TRUE(page.starts_with("<html>")) << page.substr(0, 40);
  }
  EXPECT_NE(ReadBytes(program / "oxmkey.htm").find("Key Management"), std::string::npos);
}

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
