// The mail box commands of the ostrel tool, and cipher commands that take the
// key from a program folder.

#include "app/store_commands.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "app/engine_commands.h"
#include "engine/engine.h"
#include "engine/hex_text.h"
#include "keys/key_store.h"
#include "store/store_folder.h"
#include "support/recording_calls.h"
#include "support/temp_folder.h"
#include "tool_runner.h"

namespace ostrel::app {
namespace {

using ostrel::testing::ReadBytes;
using ostrel::testing::TempFolder;
using ostrel::testing::WriteBytes;

constexpr const char* kKey = "123456789123456789";

class StoreCommandsTest : public ::testing::Test {
 protected:
  int Run(const std::vector<std::string>& words, const std::string& input = "") {
    out_.str("");
    err_.str("");
    std::vector<Command> commands = StoreCommands();
    for (Command& command : EngineCommands()) commands.push_back(std::move(command));
    return RunCommand(commands, words, input, out_, err_);
  }
  std::string Folder() const { return folder_.Folder(); }
  // An engine of its own under the test key, as a correspondent would have.
  engine::Engine& Keyed() {
    if (!engine_) {
      std::string key = kKey;
      engine_.emplace(work_.Path()).LoadKey(key);
    }
    return *engine_;
  }
  std::string Enciphered(std::string text) {
    Keyed().EncryptText(text);
    return engine::HexEncode(text);
  }

  testing::StoreFolder folder_;
  TempFolder work_;
  std::optional<engine::Engine> engine_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(StoreCommandsTest, BoxesAndListShowCountsAndRowsNewestFirst) {
  folder_.AddMessage("In", "first", "one\r\n");
  folder_.AddMessage("In", "second", "two\r\n");
  folder_.AddMessage("Junk", "spam", "buy\r\n");
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
  EXPECT_THROW(Run({"show", "--folder", Folder(), "In", "1", "--decrypt"}), engine::EngineError);
  EXPECT_THROW(Run({"show", "--folder", Folder(), "In", "3"}), std::runtime_error);
  EXPECT_THROW(Run({"show", "--folder", Folder(), "In", "x"}), UsageError);
  EXPECT_THROW(Run({"show", "--folder", Folder(), "In", "0"}), UsageError);
}

TEST_F(StoreCommandsTest, DeleteMovesToTheTrashAndEmptyTrashEmptiesIt) {
  folder_.AddMessage("Sent", "a", "a\r\n");
  folder_.AddMessage("Sent", "b", "b\r\n");
  EXPECT_EQ(Run({"delete", "--folder", Folder(), "Sent", "1"}), 0);
  EXPECT_EQ(Run({"boxes", "--folder", Folder()}), 0);
  EXPECT_EQ(out_.str(), "In\t0\nOut\t0\nTrash\t1\nJunk\t0\nSent\t1\n");
  EXPECT_EQ(ReadBytes(folder_ / "Trash" / "MSG1.txt"), "a\r\n");
  EXPECT_THROW(Run({"delete", "--folder", Folder(), "Sent", "2"}), std::runtime_error);
  EXPECT_EQ(Run({"empty-trash", "--folder", Folder()}), 0);
  EXPECT_EQ(std::filesystem::file_size(folder_ / "trash.dat"), 0u);
  EXPECT_FALSE(std::filesystem::exists(folder_ / "Trash" / "MSG1.txt"));
}

TEST_F(StoreCommandsTest, ImportsAMessageAndDeciphersAnImportedAttachment) {
  keys::WriteKeys(Folder(), {{"home", kKey, true}});
  TempFolder elsewhere;
  WriteBytes(elsewhere / "note.txt", "imported\r\n");
  EXPECT_EQ(Run({"import-message", "--folder", Folder(), (elsewhere / "note.txt").string()}), 0);
  EXPECT_EQ(out_.str(), "MSG1\n");
  EXPECT_EQ(ReadBytes(folder_ / "In" / "MSG1.htm"), "imported\r\n");

  WriteBytes(elsewhere / "plain.bin", "attachment bytes");
  Keyed().EncryptFile(elsewhere / "plain.bin", elsewhere / "report.doc.enc");
  EXPECT_EQ(Run({"import-attachment", "--folder", Folder(), (elsewhere / "report.doc.enc").string()}), 0);
  EXPECT_EQ(ReadBytes(folder_ / "Dec" / "report.doc"), "attachment bytes");
  EXPECT_FALSE(std::filesystem::exists(folder_ / "Save" / "report.doc.enc"));
  EXPECT_EQ(Run({"import-attachment", "--folder", Folder(), (elsewhere / "plain.bin").string()}), 0);
  EXPECT_EQ(ReadBytes(folder_ / "Save" / "plain.bin"), "attachment bytes");
}

TEST_F(StoreCommandsTest, AnAttachmentNamedLikeAnotherOnesTemporaryFileIsKept) {
  TempFolder first;
  TempFolder second;
  WriteBytes(first / "keep.pdf.new", "FIRST");
  WriteBytes(second / "keep.pdf", "SECOND");
  EXPECT_EQ(Run({"import-attachment", "--folder", Folder(), (first / "keep.pdf.new").string()}), 0);
  EXPECT_EQ(Run({"import-attachment", "--folder", Folder(), (second / "keep.pdf").string()}), 0);
  EXPECT_EQ(ReadBytes(folder_ / "Save" / "keep.pdf.new"), "FIRST");
  EXPECT_EQ(ReadBytes(folder_ / "Save" / "keep.pdf"), "SECOND");
}

// A delete cut off between the Trash append and the rewrite of the In list
// (as a kill leaves it) shows the message once to the next command.
TEST_F(StoreCommandsTest, EveryCommandFirstSettlesAMoveAKilledRunLeft) {
  folder_.AddMessage("In", "a", "a\r\n");
  folder_.AddMessage("In", "b", "b\r\n");
  {
    testing::RecordedCalls calls;
    bool cut = false;
    calls.refuse = [&](const testing::FileSystemEvent& event) {
      cut = cut || event.target.filename() == "inbox.dat";
      return cut;
    };
    EXPECT_THROW(Run({"delete", "--folder", Folder(), "In", "1"}), std::system_error);
  }
  ASSERT_EQ(folder_.Subjects("Trash"), std::vector<std::string>{"a"});
  EXPECT_EQ(Run({"list", "--folder", Folder(), "Trash"}), 0);
  EXPECT_EQ(out_.str(), "");
  EXPECT_EQ(folder_.Subjects("In"), (std::vector<std::string>{"a", "b"}));
}

TEST_F(StoreCommandsTest, CipherCommandsTakeTheDefaultKeyOfAFolder) {
  keys::WriteKeys(Folder(), {{"home", kKey, true}});
  EXPECT_EQ(Run({"encrypt-text", "--folder", Folder()}, "the plain text"), 0);
  EXPECT_EQ(out_.str(), Enciphered("the plain text"));
  EXPECT_EQ(Run({"decrypt-text", "--folder", Folder()}, out_.str()), 0);
  EXPECT_EQ(out_.str(), "the plain text");
  EXPECT_THROW(Run({"encrypt-text"}, "x"), UsageError);
  TempFolder keyless;
  EXPECT_THROW(Run({"encrypt-text", "--folder", keyless.Path().string()}, "x"), std::runtime_error);
}

}  // namespace
}  // namespace ostrel::app
