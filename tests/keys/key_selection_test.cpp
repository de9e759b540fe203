#include "keys/key_selection.h"

#include "engine/key_sequence.h"
#include "keys_fixture.h"

namespace ostrel::keys {
namespace {

class KeySelection : public KeysTest {
 protected:
  void SetUp() override {
    WriteKeys(folder.Path(),
              {{"Office", "123456789123456789", false}, {"Home", "4711", true}, {"Club", "918273645", false}});
  }
  // The key in use: its normalised text is current and the engine holds its
  // keyspace (normalising is the engine's to test).
  bool InUse(std::string_view keyText) const {
    const std::string normalised = engine::NormaliseKey(keyText);
    return currentKey_ == normalised && engine_.KeyLoaded() &&
           engine_.KeySequenceEntries() == engine::ExpandKeySequence(normalised);
  }

  TempFolder work_;
  engine::Engine engine_{work_.Path()};
  std::string currentKey_;
};

TEST_F(KeySelection, PickingANameLoadsTheNormalisedKeyRememberedInKeyKey) {
  const auto record = SelectKey(folder.Path(), "Home", engine_, currentKey_, dialogs);
  ASSERT_TRUE(record);
  EXPECT_EQ(ReadBytes(folder / "key.key"), "4711\r\n");
  EXPECT_EQ(currentKey_, "471147114711471147");
  EXPECT_TRUE(InUse("4711"));
  EXPECT_EQ(dialogs.statuses, (Texts{"Generating Keyspace...", "Key is now loaded."}));
}

TEST_F(KeySelection, ANameThatMatchesNoneOnlyReloadsTheCurrentKey) {
  EXPECT_FALSE(SelectKey(folder.Path(), "Nobody", engine_, currentKey_, dialogs));
  EXPECT_FALSE(engine_.KeyLoaded());
  EXPECT_FALSE(std::filesystem::exists(folder / "key.key"));

  ASSERT_TRUE(SelectKey(folder.Path(), "Office", engine_, currentKey_, dialogs));
  dialogs.statuses.clear();
  EXPECT_FALSE(SelectKey(folder.Path(), "office", engine_, currentKey_, dialogs));
  EXPECT_EQ(ReadBytes(folder / "key.key"), "123456789123456789\r\n");
  EXPECT_TRUE(InUse("123456789123456789"));
  EXPECT_EQ(dialogs.statuses.back(), "Key is now loaded.");
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(KeySelection, AKeyTheEngineRefusesChangesNothing) {
  ASSERT_TRUE(SelectKey(folder.Path(), "Club", engine_, currentKey_, dialogs));
  auto records = ReadKeys(folder.Path());
  records.push_back({"Broken", "-9-9-9-9-9-9-9-9-9", false});
  WriteKeys(folder.Path(), records);
  EXPECT_TRUE(SelectKey(folder.Path(), "Broken", engine_, currentKey_, dialogs));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_TRUE(dialogs.shown[0].text.starts_with("The key Broken cannot be loaded.  ")) << dialogs.shown[0].text;
  EXPECT_EQ(ReadBytes(folder / "key.key"), "918273645\r\n");
  EXPECT_TRUE(InUse("918273645"));
  EXPECT_EQ(dialogs.statuses.back(), "");
}

TEST_F(KeySelection, OnlyAWholeDefaultKeyIsLoadedAtStartUp) {
  WriteBytes(folder / "key.dat", std::string("Home").append(54, ' ') + "Y");
  EXPECT_FALSE(LoadDefaultKey(folder.Path(), engine_, currentKey_, dialogs));
  EXPECT_EQ(dialogs.ShownTexts(), Texts{"The default key Home has no key text and cannot be loaded."});
  WriteKeys(folder.Path(), {{"Office", "123456789123456789", false}});  // no default at all
  EXPECT_FALSE(LoadDefaultKey(folder.Path(), engine_, currentKey_, dialogs));
  EXPECT_EQ(currentKey_, "");
  EXPECT_FALSE(engine_.KeyLoaded());
  EXPECT_TRUE(dialogs.statuses.empty());

  WriteKeys(folder.Path(), {{"Office", "123456789123456789", false}, {"Home", "4711", true}});
  EXPECT_TRUE(LoadDefaultKey(folder.Path(), engine_, currentKey_, dialogs));
  EXPECT_TRUE(InUse("4711"));
  EXPECT_FALSE(std::filesystem::exists(folder / "key.key"));
}

TEST_F(KeySelection, AChangedDefaultKeyIsLoadedOnlyWhileNoKeyIsLoaded) {
  // SetUp's store has "Home" (4711) as its default key.
  EXPECT_TRUE(LoadDefaultKeyIfNoneLoaded(folder.Path(), engine_, currentKey_, dialogs));
  EXPECT_TRUE(InUse("4711"));
  EXPECT_FALSE(std::filesystem::exists(folder / "key.key"));

  WriteKeys(folder.Path(), {{"Office", "123456789123456789", true}});
  dialogs.statuses.clear();
  EXPECT_FALSE(LoadDefaultKeyIfNoneLoaded(folder.Path(), engine_, currentKey_, dialogs));
  EXPECT_TRUE(InUse("4711")) << "the key in use stays in use";
  EXPECT_TRUE(dialogs.statuses.empty());
}

}  // namespace
}  // namespace ostrel::keys
