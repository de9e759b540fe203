// Choosing the program folder: --folder, a portable folder, the user's data folder.

#include <gtest/gtest.h>

#include "store/program_folder.h"
#include "support/temp_folder.h"

namespace ostrel::store {
namespace {

using testing::TempFolder;
using testing::WriteBytes;

class ProgramFolderTest : public ::testing::Test {
 protected:
  TempFolder executable;
  FolderEnvironment environment{std::string("/data/home"), std::string("/home/user")};
};

TEST_F(ProgramFolderTest, TheUsersDataFolderIsTheDefaultAndNeedsAnEnvironment) {
  EXPECT_EQ(ChooseProgramFolder(executable.Path(), environment, std::nullopt), "/data/home/ostrel-email/");
  // Unset or, as here, not absolute: the data folder is under HOME.
  environment.xdgDataHome = "relative/path";
  EXPECT_EQ(ChooseProgramFolder(executable.Path(), environment, std::nullopt),
            "/home/user/.local/share/ostrel-email/");
  EXPECT_THROW(ChooseProgramFolder(executable.Path(), FolderEnvironment{}, std::nullopt), ProgramFolderError);
}

TEST_F(ProgramFolderTest, AFolderHoldingTheProgramsDataIsPortable) {
  const std::string expected = executable.Path().string() + "/";
  for (const char* marker : {"portable", "email.opt", "key.dat"}) {
    WriteBytes(executable / marker, "");
    EXPECT_EQ(ChooseProgramFolder(executable.Path(), environment, std::nullopt), expected) << marker;
    std::filesystem::remove(executable / marker);
  }
  WriteBytes(executable / "inbox.dat", "");
  EXPECT_EQ(ChooseProgramFolder(executable.Path(), environment, std::nullopt), "/data/home/ostrel-email/");
}

TEST_F(ProgramFolderTest, TheFolderOptionWinsAndEndsWithASlash) {
  WriteBytes(executable / "portable", "");
  EXPECT_EQ(ChooseProgramFolder(executable.Path(), environment, std::string("/srv/mail")), "/srv/mail/");
  EXPECT_EQ(ChooseProgramFolder(executable.Path(), environment, std::string("/srv/mail/")), "/srv/mail/");
  const std::string relative = ChooseProgramFolder(executable.Path(), environment, std::string("rel/dir"));
  EXPECT_EQ(relative, (std::filesystem::current_path() / "rel/dir").string() + "/");
  EXPECT_THROW(ChooseProgramFolder(executable.Path(), environment, std::string("")), ProgramFolderError);
}

}  // namespace
}  // namespace ostrel::store
