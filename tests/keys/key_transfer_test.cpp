#include "keys/key_transfer.h"

#include "keys_fixture.h"

namespace ostrel::keys {
namespace {

using KeyTransfer = KeysTest;

// Right after the first key is added there is a store but no "key.key",
// which only picking or setting a key writes; the store then travels alone.
TEST_F(KeyTransfer, TransferThenRestoreElsewhereReproducesTheFiles) {
  for (const bool selected : {true, false}) {
    SCOPED_TRACE(selected ? "with key.key" : "without key.key");
    TempFolder here, disk, there;
    dialogs.shown.clear();
    const std::string store = ReadBytes(kData / "keys/key-default-in-record-2.dat");
    WriteBytes(here / "key.dat", store);
    if (selected) WriteBytes(here / "key.key", "4711\r\n");
    WriteBytes(disk / "key.dat", "old");
    ASSERT_TRUE(TransferKeys(here.Path(), KeyPathFor(disk.Path()), dialogs));
    EXPECT_EQ(ReadBytes(disk / "key.dat"), store);
    EXPECT_EQ(testing::FileMode(disk / "key.dat"), 0600u);
    EXPECT_EQ(std::filesystem::exists(disk / "key.key"), selected);
    ASSERT_TRUE(RestoreKeys(there.Path(), KeyPathFor(disk.Path()), dialogs));
    EXPECT_EQ(ReadBytes(there / "key.dat"), store);
    EXPECT_EQ(testing::FileMode(there / "key.key"), selected ? 0600u : 0u);
    EXPECT_EQ(ReadBytes(there / "key.key"), selected ? "4711\r\n" : "");
    EXPECT_EQ(dialogs.ShownTexts(), (Texts{"Keys Transferred.", "Keys Restored."}));
  }
}

TEST_F(KeyTransfer, ACancelledChooserAMissingStoreOrAnUnwritableFolderCopiesNothing) {
  TempFolder here, disk;
  EXPECT_FALSE(RestoreKeys(here.Path(), "", dialogs));
  EXPECT_TRUE(dialogs.shown.empty());

  WriteBytes(here / "key.key", "4711\r\n");
  WriteBytes(disk / "key.dat", "old store");
  EXPECT_FALSE(TransferKeys(here.Path(), KeyPathFor(disk.Path()), dialogs));
  EXPECT_EQ(dialogs.ShownTexts(),
            Texts{"Keys not transferred.  The file " + (here / "key.dat").string() + " does not exist."});
  EXPECT_EQ(ReadBytes(disk / "key.dat"), "old store");
  EXPECT_FALSE(std::filesystem::exists(disk / "key.key"));

  dialogs.shown.clear();
  WriteBytes(here / "key.dat", std::string(59, 'k'));
  std::filesystem::remove(disk / "key.dat");
  EXPECT_FALSE(RestoreKeys(here.Path(), KeyPathFor(disk.Path()), dialogs));
  EXPECT_EQ(dialogs.ShownTexts(),
            Texts{"Keys not restored.  The file " + (disk / "key.dat").string() + " does not exist."});
  EXPECT_EQ(ReadBytes(here / "key.dat"), std::string(59, 'k'));

  dialogs.shown.clear();
  EXPECT_FALSE(TransferKeys(here.Path(), KeyPathFor(here / "no such folder"), dialogs));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_TRUE(dialogs.shown[0].text.starts_with("Keys not transferred.  The file " +
                                                (here / "no such folder" / "key.dat").string() + " cannot be written"));
}

}  // namespace
}  // namespace ostrel::keys
