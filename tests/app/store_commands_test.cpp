// The mail box commands of the ostrel tool, and cipher commands that take the
// key from a program folder.

#include "app/store_commands.h"

#include <gtest/gtest.h>

#include "app/engine_commands.h"
#include "keys/key_store.h"
#include "support/temp_folder.h"
#include "tool_runner.h"

namespace ostrel::app {
namespace {

using ostrel::testing::TempFolder;
using ostrel::testing::WriteBytes;

constexpr const char* kKey = "123456789123456789";

std::vector<Command> StoreAndEngineCommands() {
  std::vector<Command> commands = StoreCommands();
  for (Command& command : EngineCommands()) commands.push_back(std::move(command));
  return commands;
}

class StoreCommandsTest : public CommandTest {
 protected:
  StoreCommandsTest() : CommandTest(StoreAndEngineCommands()) {}

  // As a correspondent with the test key would send it.
  std::string Enciphered(const std::string& text) {
    EXPECT_EQ(Run({"encrypt-text", "--key", kKey}, text), 0);
    return out_.str();
  }
};

TEST_F(StoreCommandsTest, BoxesAndListShowCountsAndRowsNewestFirst) {
  folder_.AddMessages("In", {"first", "second"});
  folder_.AddMessages("Junk", {"spam"});
  EXPECT_EQ(Run({"boxes", "--folder", Folder()}), 0);
  EXPECT_EQ(out_.str(), "In\t2\nOut\t0\nTrash\t0\nJunk\t1\nSent\t0\n");
  EXPECT_EQ(Run({"list", "--folder", Folder(), "In"}), 0);
  EXPECT_EQ(out_.str(),
            "2\tsender@example.org\tsecond\t1/2/2026 9:00:00 AM\n"
            "1\tsender@example.org\tfirst\t1/2/2026 9:00:00 AM\n");
  EXPECT_THROW(Run({"list", "--folder", Folder(), "Out"}), UsageError);
}

TEST_F(StoreCommandsTest, ShowWritesTheTextAndDecryptsUnderTheDefaultKey) {
  keys::WriteKeys(Folder(), {{"other", "987654321987654321", false}, {"home", kKey, true}});
  folder_.AddMessage("In", "plain", "hello\nworld");
  folder_.AddMessage("In", "secret", Enciphered("the plain text"));
  EXPECT_EQ(Run({"show", "--folder", Folder(), "In", "1"}), 0);
  EXPECT_EQ(out_.str(), "hello\r\nworld\r\n");
  EXPECT_EQ(Run({"show", "--folder", Folder(), "In", "2", "--decrypt"}), 0);
  EXPECT_EQ(out_.str(), "the plain text");
  EXPECT_THROW(Run({"show", "--folder", Folder(), "In", "3"}), std::runtime_error);
  for (const char* record : {"x", "0", "1x"}) EXPECT_THROW(Run({"show", "--folder", Folder(), "In", record}), UsageError);
}

// Where a deleted message goes is the store's to test.
TEST_F(StoreCommandsTest, DeleteAndEmptyTrashReachTheirFlows) {
  folder_.AddMessages("Sent", {"a", "b"});
  EXPECT_EQ(Run({"delete", "--folder", Folder(), "Sent", "1"}), 0);
  EXPECT_EQ(folder_.Subjects("Trash"), std::vector<std::string>{"a"});
  EXPECT_THROW(Run({"delete", "--folder", Folder(), "Sent", "2"}), std::runtime_error);
  EXPECT_EQ(Run({"empty-trash", "--folder", Folder()}), 0);
  EXPECT_TRUE(folder_.Subjects("Trash").empty());
}

TEST_F(StoreCommandsTest, ImportsAMessageOrAnAttachmentDecipheringAnEncFile) {
  keys::WriteKeys(Folder(), {{"home", kKey, true}});
  TempFolder elsewhere;
  WriteBytes(elsewhere / "note.txt", "imported\r\n");
  EXPECT_EQ(Run({"import-message", "--folder", Folder(), (elsewhere / "note.txt").string()}), 0);
  EXPECT_EQ(out_.str(), "MSG1\n");
  EXPECT_EQ(folder_.Subjects("In"), std::vector<std::string>{"Imported Text Message"});

  WriteBytes(elsewhere / "plain.bin", "attachment bytes");
  ASSERT_EQ(Run({"encrypt-file", "--key", kKey, (elsewhere / "plain.bin").string(),
                 (elsewhere / "report.doc.enc").string()}),
            0);
  EXPECT_EQ(Run({"import-attachment", "--folder", Folder(), (elsewhere / "report.doc.enc").string()}), 0);
  EXPECT_EQ(Run({"import-attachment", "--folder", Folder(), (elsewhere / "plain.bin").string()}), 0);
  EXPECT_EQ(folder_.Files("Dec"), (ostrel::testing::FolderContents{{"report.doc", "attachment bytes"}}));
  EXPECT_EQ(folder_.Files("Save"), (ostrel::testing::FolderContents{{"plain.bin", "attachment bytes"}}));
}

// A delete cut off between the Trash append and the rewrite of the In list
// (as a kill leaves it) shows the message once to the next command.
TEST_F(StoreCommandsTest, EveryCommandFirstSettlesAMoveAKilledRunLeft) {
  folder_.AddMessages("In", {"a", "b"});
  ostrel::testing::CutOffBeforeTheRewrite(folder_, "In", 1);
  ASSERT_EQ(folder_.Subjects("Trash"), std::vector<std::string>{"a"});
  EXPECT_EQ(Run({"list", "--folder", Folder(), "Trash"}), 0);
  EXPECT_EQ(out_.str(), "");
  EXPECT_EQ(folder_.Subjects("In"), (std::vector<std::string>{"a", "b"}));
}

TEST_F(StoreCommandsTest, CipherCommandsTakeTheDefaultKeyOfAFolder) {
  keys::WriteKeys(Folder(), {{"home", kKey, true}});
  EXPECT_EQ(Run({"encrypt-text", "--folder", Folder()}, "the plain text"), 0);
  const std::string cipher = out_.str();
  EXPECT_EQ(cipher, Enciphered("the plain text"));
  EXPECT_EQ(Run({"decrypt-text", "--folder", Folder()}, cipher), 0);
  EXPECT_EQ(out_.str(), "the plain text");
  TempFolder keyless;
  EXPECT_THROW(Run({"encrypt-text", "--folder", keyless.Path().string()}, "x"), std::runtime_error);
}

}  // namespace
}  // namespace ostrel::app
