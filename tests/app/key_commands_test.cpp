#include "app/key_commands.h"

#include <gtest/gtest.h>

#include <sstream>

#include "keys/key_check_code.h"
#include "keys/key_store.h"
#include "support/folder_contents.h"
#include "support/temp_folder.h"
#include "tool_runner.h"

namespace ostrel::app {
namespace {

using ostrel::testing::TempFolder;

class KeyCommandsTest : public ::testing::Test {
 protected:
  int Run(const std::vector<std::string>& words) {
    out_.str("");
    err_.str("");
    return RunCommand(KeyCommands(), words, "", out_, err_);
  }
  std::string Folder() const { return folder_.Path().string() + "/"; }

  TempFolder folder_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(KeyCommandsTest, AddKeyThenListThem) {
  EXPECT_EQ(Run({"add-key", "--folder", Folder(), "Office", "123456789123456789"}), 0);
  EXPECT_EQ(Run({"add-key", "Home", "4711", "--default", "--folder", Folder()}), 0);
  EXPECT_EQ(out_.str(), " 2 keys defined.  Default key is Home.\n");
  EXPECT_EQ(Run({"keys", "--folder", Folder()}), 0);
  // Codes as the key check code tests work them out by hand.
  EXPECT_EQ(out_.str(), " 2 keys defined.  Default key is Home.\n" + keys::KeyCheckCode("123456789123456789") +
                            "  Office\n" + keys::KeyCheckCode("4711") + "  Home\n");
}

TEST_F(KeyCommandsTest, KeyCheckPrintsTheCodeTheKeyListShows) {
  EXPECT_EQ(Run({"key-check", "730145928837465012"}), 0);
  EXPECT_EQ(out_.str(), "79JP-RGHP-PD2Y-QSBK\n");
  EXPECT_EQ(Run({"key-check", "été"}), 0);
  EXPECT_EQ(out_.str(), "M34Z-3XXV-CBBM-Y3RB\n");

  TempFolder other;
  const std::string otherFolder = other.Path().string() + "/";
  EXPECT_EQ(Run({"add-key", "--folder", Folder(), "Bob", "été", "--yes"}), 0);
  EXPECT_EQ(Run({"add-key", "--folder", otherFolder, "Club", "4711"}), 0);
  EXPECT_EQ(Run({"add-key", "--folder", otherFolder, "Alice", "ét", "--yes"}), 0);  // not the same key
  EXPECT_EQ(Run({"add-key", "--folder", otherFolder, "Alice2", "étéété", "--yes"}), 0);  // the same keyspace
  EXPECT_EQ(Run({"keys", "--folder", Folder()}), 0);
  EXPECT_EQ(out_.str(), " 1 keys defined.  No Default Key defined.  You cannot check mail without a default key.\n"
                        "M34Z-3XXV-CBBM-Y3RB  Bob\n");
  EXPECT_EQ(Run({"keys", "--folder", otherFolder}), 0);
  const std::string listed = out_.str();
  EXPECT_NE(listed.find("\nM34Z-3XXV-CBBM-Y3RB  Alice2\n"), std::string::npos) << listed;
  EXPECT_EQ(listed.find("M34Z-3XXV-CBBM-Y3RB  Alice\n"), std::string::npos) << listed;
}

TEST_F(KeyCommandsTest, KeyCheckWantsOneKey) {
  EXPECT_EQ(Run({"key-check", "   "}), 1);
  EXPECT_EQ(err_.str(), "The key is empty: there is no check code to show.\n");
  EXPECT_TRUE(out_.str().empty());
  EXPECT_THROW(Run({"key-check"}), UsageError);
  EXPECT_THROW(Run({"key-check", "1", "2"}), UsageError);
}

TEST_F(KeyCommandsTest, KeyCheckLeavesTheProgramFolderAsItWas) {
  EXPECT_EQ(Run({"add-key", "--folder", Folder(), "Office", "123456789123456789", "--default"}), 0);
  const auto before = ostrel::testing::ReadFolderContents(folder_.Path());
  ASSERT_TRUE(before.contains("key.dat"));
  EXPECT_EQ(Run({"keys", "--folder", Folder()}), 0);
  EXPECT_EQ(Run({"key-check", "123456789123456789"}), 0);
  EXPECT_EQ(ostrel::testing::ReadFolderContents(folder_.Path()), before);
}

TEST_F(KeyCommandsTest, AKeyThatProtectsNothingNeedsYes) {
  EXPECT_EQ(Run({"add-key", "--folder", Folder(), "Word", "password"}), 1);
  EXPECT_TRUE(err_.str().ends_with("Store it anyway? No\n")) << err_.str();
  EXPECT_TRUE(keys::ReadKeys(Folder()).empty());
  EXPECT_EQ(Run({"add-key", "--folder", Folder(), "Word", "password", "--yes"}), 0);
  EXPECT_EQ(keys::ReadKeys(Folder()).size(), 1u);
}

TEST_F(KeyCommandsTest, RefusedAndMissingKeysFail) {
  EXPECT_EQ(Run({"add-key", "--folder", Folder(), "Bad", "-9-9-9-9-9-9-9-9-9", "--yes"}), 1);
  EXPECT_TRUE(err_.str().starts_with("This key cannot be used")) << err_.str();
  EXPECT_EQ(Run({"add-key", "--folder", Folder(), "Empty", ""}), 1);
  EXPECT_EQ(err_.str(), "Missing Data.  Enter a Name and a Key or generate one.\n");
  EXPECT_THROW(Run({"add-key", "Home", "4711"}), UsageError);
  EXPECT_THROW(Run({"add-key", "--folder", Folder(), "Home"}), UsageError);
  EXPECT_THROW(Run({"add-key", "--folder", Folder(), "Home", "4711", "--default=no"}), UsageError);
}

TEST_F(KeyCommandsTest, AKeyThatDoesNotFitItsFieldAsStoredIsRefusedNotCut) {
  EXPECT_EQ(Run({"add-key", "--folder", Folder(), "Omega", "\xCE\xA9mega1234567890123"}), 1);
  EXPECT_TRUE(err_.str().starts_with("This key takes 19 bytes as stored, and a key holds at most 18.")) << err_.str();
  EXPECT_EQ(Run({"add-key", "--folder", Folder(), "Long", "1234567890123456789"}), 1);
  EXPECT_TRUE(err_.str().starts_with("This key is 19 characters long")) << err_.str();
  EXPECT_TRUE(keys::ReadKeys(Folder()).empty());
  EXPECT_EQ(Run({"add-key", "--folder", Folder(), "Omega", "\xCE\xA9mega123456789012"}), 0);
  EXPECT_EQ(keys::ReadKeys(Folder())[0].keyText, "\xCE\xA9mega123456789012");
}

TEST_F(KeyCommandsTest, GenerateKeyPrintsEighteenDigits) {
  EXPECT_EQ(Run({"generate-key"}), 0);
  const std::string key = out_.str();
  ASSERT_EQ(key.size(), 19u);
  EXPECT_EQ(key.find_first_not_of("123456789"), 18u);
  EXPECT_EQ(key.back(), '\n');
}

}  // namespace
}  // namespace ostrel::app
