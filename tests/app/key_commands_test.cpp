#include "app/key_commands.h"

#include <gtest/gtest.h>

#include "keys/key_check_code.h"
#include "keys/key_store.h"
#include "support/folder_contents.h"
#include "tool_runner.h"

namespace ostrel::app {
namespace {

class KeyCommandsTest : public CommandTest {
 protected:
  KeyCommandsTest() : CommandTest(KeyCommands()) {}
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

TEST_F(KeyCommandsTest, WithoutADefaultKeyTheListSaysMailCannotBeChecked) {
  EXPECT_EQ(Run({"add-key", "--folder", Folder(), "Bob", "été", "--yes"}), 0);
  EXPECT_EQ(Run({"keys", "--folder", Folder()}), 0);
  EXPECT_EQ(out_.str(), " 1 keys defined.  No Default Key defined.  You cannot check mail without a default key.\n"
                        "M34Z-3XXV-CBBM-Y3RB  Bob\n");
}

TEST_F(KeyCommandsTest, KeyCheckPrintsTheCodeOfTheKeyAsTyped) {
  for (const auto& [key, code] : {std::pair{"730145928837465012", "79JP-RGHP-PD2Y-QSBK\n"},
                                  {"été", "M34Z-3XXV-CBBM-Y3RB\n"}}) {
    EXPECT_EQ(Run({"key-check", key}), 0);
    EXPECT_EQ(out_.str(), code);
  }
}

TEST_F(KeyCommandsTest, KeyCheckWantsOneKey) {
  EXPECT_EQ(Run({"key-check", "   "}), 1);
  EXPECT_EQ(err_.str(), "The key is empty: there is no check code to show.\n");
  EXPECT_TRUE(out_.str().empty());
  EXPECT_THROW(Run({"key-check"}), UsageError);
  EXPECT_THROW(Run({"key-check", "1", "2"}), UsageError);
}

TEST_F(KeyCommandsTest, ListingAndKeyCheckLeaveTheProgramFolderAsItWas) {
  EXPECT_EQ(Run({"add-key", "--folder", Folder(), "Office", "123456789123456789", "--default"}), 0);
  const auto before = ostrel::testing::ReadFolderContents(Folder());
  ASSERT_TRUE(before.contains("key.dat"));
  EXPECT_EQ(Run({"keys", "--folder", Folder()}), 0);
  EXPECT_EQ(Run({"key-check", "123456789123456789"}), 0);
  EXPECT_EQ(ostrel::testing::ReadFolderContents(Folder()), before);
}

TEST_F(KeyCommandsTest, AKeyThatProtectsNothingNeedsYes) {
  EXPECT_EQ(Run({"add-key", "--folder", Folder(), "Word", "password"}), 1);
  EXPECT_TRUE(err_.str().ends_with("Store it anyway? No\n")) << err_.str();
  EXPECT_TRUE(keys::ReadKeys(Folder()).empty());
  EXPECT_EQ(Run({"add-key", "--folder", Folder(), "Word", "password", "--yes"}), 0);
  EXPECT_EQ(keys::ReadKeys(Folder()).size(), 1u);
}

TEST_F(KeyCommandsTest, AKeyThatCannotBeStoredWholeFailsWithItsReason) {
  struct Case {
    std::vector<std::string> words;
    std::string reason;  // standard error, or how it begins
    bool whole = false;
  };
  const Case cases[] = {
      {{"Bad", "-9-9-9-9-9-9-9-9-9", "--yes"}, "This key cannot be used"},
      {{"Empty", ""}, "Missing Data.  Enter a Name and a Key or generate one.\n", true},
      {{"Omega", "\xCE\xA9mega1234567890123"}, "This key takes 19 bytes as stored, and a key holds at most 18."},
      {{"Long", "1234567890123456789"}, "This key is 19 characters long"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.words[0]);
    std::vector<std::string> words = {"add-key", "--folder", Folder()};
    words.insert(words.end(), c.words.begin(), c.words.end());
    EXPECT_EQ(Run(words), 1);
    EXPECT_TRUE(c.whole ? err_.str() == c.reason : err_.str().starts_with(c.reason)) << err_.str();
    EXPECT_TRUE(keys::ReadKeys(Folder()).empty());
  }
  EXPECT_EQ(Run({"add-key", "--folder", Folder(), "Omega", "\xCE\xA9mega123456789012"}), 0);
  EXPECT_EQ(keys::ReadKeys(Folder())[0].keyText, "\xCE\xA9mega123456789012");
}

TEST_F(KeyCommandsTest, AddKeyUsageMistakesAreUsageErrors) {
  EXPECT_THROW(Run({"add-key", "Home", "4711"}), UsageError);
  EXPECT_THROW(Run({"add-key", "--folder", Folder(), "Home"}), UsageError);
  EXPECT_THROW(Run({"add-key", "--folder", Folder(), "Home", "4711", "--default=no"}), UsageError);
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
