// The key commands' own work: their words, exit status and output lines. What
// makes a key acceptable, and every refusal's text, is the key flows' to test.

#include "app/key_commands.h"

#include <gtest/gtest.h>

#include "keys/key_check_code.h"
#include "keys/key_store.h"
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

// The key is taken as typed: "été" is stored, and coded, in Windows-1252.
TEST_F(KeyCommandsTest, KeyCheckPrintsTheCodeOfTheKeyAsTyped) {
  EXPECT_EQ(Run({"key-check", "été"}), 0);
  EXPECT_EQ(out_.str(), "M34Z-3XXV-CBBM-Y3RB\n");
  EXPECT_EQ(Run({"key-check", "   "}), 1);
  EXPECT_EQ(err_.str(), "The key is empty: there is no check code to show.\n");
  EXPECT_TRUE(out_.str().empty());
}

// The question the key management window asks is answered by --yes alone; a
// refused key fails with its reason and stores nothing.
TEST_F(KeyCommandsTest, AKeyThatProtectsNothingNeedsYes) {
  EXPECT_EQ(Run({"add-key", "--folder", Folder(), "Word", "password"}), 1);
  EXPECT_TRUE(err_.str().ends_with("Store it anyway? No\n")) << err_.str();
  EXPECT_TRUE(keys::ReadKeys(Folder()).empty());
  EXPECT_EQ(Run({"add-key", "--folder", Folder(), "Word", "password", "--yes"}), 0);
  EXPECT_EQ(keys::ReadKeys(Folder()).size(), 1u);
}

TEST_F(KeyCommandsTest, WrongWordsAreUsageErrors) {
  EXPECT_THROW(Run({"add-key", "Home", "4711"}), UsageError);
  EXPECT_THROW(Run({"add-key", "--folder", Folder(), "Home", "4711", "--default=no"}), UsageError);
  EXPECT_THROW(Run({"key-check", "1", "2"}), UsageError);
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
