#include "keys/key_selection.h"

#include <gtest/gtest.h>

#include "engine/key_sequence.h"
#include "support/recording_dialogs.h"
#include "support/temp_folder.h"

namespace ostrel::keys {
namespace {

using ostrel::testing::ReadBytes;
using ostrel::testing::RecordingDialogs;
using ostrel::testing::TempFolder;
using ostrel::testing::WriteBytes;
using Texts = std::vector<std::string>;

const Texts kLoadStatuses{"Generating Keyspace...", "Key is now loaded."};

class KeySelection : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteKeys(Folder(), {{"Office", "123456789123456789", false}, {"Home", "4711", true}, {"Club", "918273645", false}});
  }
  const std::filesystem::path& Folder() const { return program_.Path(); }
  // The key whose keyspace the engine holds.
  bool EngineHolds(std::string_view keyText) const {
    return engine_.KeyLoaded() &&
           engine_.KeySequenceEntries() == engine::ExpandKeySequence(engine::NormaliseKey(keyText));
  }

  TempFolder program_;
  TempFolder work_;
  engine::Engine engine_{work_.Path()};
  RecordingDialogs dialogs_;
  std::string currentKey_;
};

TEST_F(KeySelection, PickingANameWritesKeyKeyAndLoadsTheNormalisedKey) {
  const auto record = SelectKey(Folder(), "Home", engine_, currentKey_, dialogs_);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->name, "Home");
  EXPECT_EQ(ReadBytes(Folder() / "key.key"), "4711\r\n");
  EXPECT_EQ(currentKey_, "471147114711471147");
  EXPECT_TRUE(EngineHolds("4711"));
  EXPECT_EQ(dialogs_.statuses, kLoadStatuses);
  // The key lists compare stored texts with the normalised current key.
  EXPECT_EQ(ShownKeyName(ReadKeys(Folder()), currentKey_), "");
}

TEST_F(KeySelection, ANameThatMatchesNoneOnlyReloadsTheCurrentKey) {
  EXPECT_FALSE(SelectKey(Folder(), "Nobody", engine_, currentKey_, dialogs_));
  EXPECT_FALSE(engine_.KeyLoaded());
  EXPECT_TRUE(dialogs_.statuses.empty());
  EXPECT_FALSE(std::filesystem::exists(Folder() / "key.key"));

  ASSERT_TRUE(SelectKey(Folder(), "Office", engine_, currentKey_, dialogs_));
  dialogs_.statuses.clear();
  EXPECT_FALSE(SelectKey(Folder(), "office", engine_, currentKey_, dialogs_));
  EXPECT_EQ(ReadBytes(Folder() / "key.key"), "123456789123456789\r\n");
  EXPECT_EQ(currentKey_, "123456789123456789");
  EXPECT_TRUE(EngineHolds("123456789123456789"));
  EXPECT_EQ(dialogs_.statuses, kLoadStatuses);
  EXPECT_TRUE(dialogs_.shown.empty());
}

TEST_F(KeySelection, AKeyTheEngineRefusesChangesNothing) {
  ASSERT_TRUE(SelectKey(Folder(), "Club", engine_, currentKey_, dialogs_));
  auto records = ReadKeys(Folder());
  records.push_back({"Broken", "-9-9-9-9-9-9-9-9-9", false});
  WriteKeys(Folder(), records);
  dialogs_.statuses.clear();
  EXPECT_TRUE(SelectKey(Folder(), "Broken", engine_, currentKey_, dialogs_));
  ASSERT_EQ(dialogs_.shown.size(), 1u);
  EXPECT_TRUE(dialogs_.shown[0].text.starts_with("The key Broken cannot be loaded.  ")) << dialogs_.shown[0].text;
  EXPECT_EQ(currentKey_, "918273645918273645");
  EXPECT_EQ(ReadBytes(Folder() / "key.key"), "918273645\r\n");
  EXPECT_TRUE(EngineHolds("918273645"));
  EXPECT_EQ(dialogs_.statuses.back(), "");
}

TEST_F(KeySelection, OnlyAWholeDefaultKeyIsLoadedAtStartUpAndKeyKeyIsNotWritten) {
  WriteBytes(Folder() / "key.dat", std::string("Home").append(36, ' ') + "47");
  EXPECT_FALSE(LoadDefaultKey(Folder(), engine_, currentKey_, dialogs_));  // flag byte missing: not default
  WriteBytes(Folder() / "key.dat", std::string("Home").append(54, ' ') + "Y");
  EXPECT_FALSE(LoadDefaultKey(Folder(), engine_, currentKey_, dialogs_));
  EXPECT_EQ(dialogs_.ShownTexts(), Texts{"The default key Home has no key text and cannot be loaded."});
  WriteKeys(Folder(), {{"Office", "123456789123456789", false}});  // no default at all
  EXPECT_FALSE(LoadDefaultKey(Folder(), engine_, currentKey_, dialogs_));
  EXPECT_EQ(currentKey_, "");
  EXPECT_FALSE(engine_.KeyLoaded());
  EXPECT_TRUE(dialogs_.statuses.empty());

  WriteKeys(Folder(), {{"Office", "123456789123456789", false}, {"Home", "4711", true}});
  EXPECT_TRUE(LoadDefaultKey(Folder(), engine_, currentKey_, dialogs_));
  EXPECT_EQ(currentKey_, "471147114711471147");
  EXPECT_TRUE(EngineHolds("4711"));
  EXPECT_EQ(dialogs_.statuses, kLoadStatuses);
  EXPECT_FALSE(std::filesystem::exists(Folder() / "key.key"));
}

TEST_F(KeySelection, AChangedDefaultKeyIsLoadedOnlyWhileNoKeyIsLoaded) {
  // SetUp's store has "Home" (4711) as its default key.
  EXPECT_TRUE(LoadDefaultKeyIfNoneLoaded(Folder(), engine_, currentKey_, dialogs_));
  EXPECT_EQ(currentKey_, "471147114711471147");
  EXPECT_TRUE(EngineHolds("4711"));
  EXPECT_EQ(dialogs_.statuses, kLoadStatuses);
  EXPECT_FALSE(std::filesystem::exists(Folder() / "key.key"));

  WriteKeys(Folder(), {{"Office", "123456789123456789", true}});
  dialogs_.statuses.clear();
  EXPECT_FALSE(LoadDefaultKeyIfNoneLoaded(Folder(), engine_, currentKey_, dialogs_));
  EXPECT_EQ(currentKey_, "471147114711471147") << "the key in use stays in use";
  EXPECT_TRUE(EngineHolds("4711"));
  EXPECT_TRUE(dialogs_.statuses.empty());
}

}  // namespace
}  // namespace ostrel::keys
