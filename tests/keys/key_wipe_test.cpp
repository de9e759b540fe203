#include "keys/key_wipe.h"

#include <map>
#include <sys/stat.h>

#include "keys_fixture.h"

namespace ostrel::keys {
namespace {

using WipeFileTest = KeysTest;

class DeleteKeysTest : public KeysTest {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(kData / "keys/key-default-in-record-2.dat", folder / "key.dat");
    WriteBytes(folder / "key.key", "4711\r\n");
  }
};

TEST_F(DeleteKeysTest, NoLeavesTheFilesAlone) {
  dialogs.answers = {base::Answer::No};
  EXPECT_FALSE(DeleteKeys(folder.Path(), dialogs));
  EXPECT_EQ(dialogs.asked[0],
            (base::MessageBox{"Please make certain that you transfer the key file before deleting it.  Are you sure "
                              "you want to delete the Key File?",
                              "Key Delete Confirm", base::Buttons::YesNo, base::Icon::None}));
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(ReadBytes(folder / "key.dat"), ReadBytes(kData / "keys/key-default-in-record-2.dat"));
  EXPECT_EQ(ReadBytes(folder / "key.key"), "4711\r\n");
}

TEST_F(DeleteKeysTest, YesOverwritesEachFile21TimesThenDeletesIt) {
  dialogs.answers = {base::Answer::Yes, base::Answer::Yes};
  std::map<std::string, Texts> passes;
  const auto observe = [&passes](const std::filesystem::path& path) {
    passes[path.filename().string()].push_back(ReadBytes(path));
  };
  EXPECT_TRUE(DeleteKeys(folder.Path(), dialogs, observe));
  EXPECT_EQ(passes["key.dat"], Texts(21, std::string(177, '@') + "\r\n"));
  EXPECT_EQ(passes["key.key"], Texts(21, "@@@@@@\r\n"));
  EXPECT_FALSE(std::filesystem::exists(folder / "key.dat"));
  EXPECT_FALSE(std::filesystem::exists(folder / "key.key"));
  // With the files gone a second delete is no error.
  EXPECT_TRUE(DeleteKeys(folder.Path(), dialogs));
  EXPECT_EQ(dialogs.ShownTexts(), Texts(2, "Key File is deleted.  No Cryptions are now possible."));
}

TEST_F(WipeFileTest, OverwritesTheSameFileInPlace) {
  WriteBytes(folder / "secret", "123456789");
  struct stat before {};
  ::stat((folder / "secret").c_str(), &before);
  int samePasses = 0;
  WipeFile(folder / "secret", [&](const std::filesystem::path& path) {
    struct stat now {};
    ::stat(path.c_str(), &now);
    if (now.st_ino == before.st_ino) ++samePasses;
  });
  EXPECT_EQ(samePasses, kWipePasses);
  EXPECT_FALSE(std::filesystem::exists(folder / "secret"));
}

}  // namespace
}  // namespace ostrel::keys
