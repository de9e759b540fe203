#include "keys/key_management.h"

#include "keys/key_check.h"
#include "keys_fixture.h"

namespace ostrel::keys {
namespace {

const std::string kNoDefault = "No Default Key defined.  You cannot check mail without a default key.";

class KeyManagement : public KeysTest {
 protected:
  std::optional<KeyManagementView> Add(std::string name, std::string key, bool asDefault = false) {
    return AddOrUpdateKey(folder.Path(), {std::move(name), std::move(key), asDefault}, dialogs);
  }
};

TEST_F(KeyManagement, SummaryCountsTheKeysNamingTheLastDefault) {
  EXPECT_EQ(KeySummary({}), " 0 keys defined.  " + kNoDefault);
  EXPECT_EQ(KeySummary({{"Office", "1", false}, {"Home", "2", true}, {"Club", "3", false}}),
            " 3 keys defined.  Default key is Home.");
  EXPECT_EQ(KeySummary({{"A", "1", true}, {"B", "2", true}}), " 2 keys defined.  Default key is B.");
}

TEST_F(KeyManagement, MissingNameOrKeyWritesNothing) {
  EXPECT_FALSE(Add("", "123"));
  EXPECT_FALSE(Add("Home", "   "));
  EXPECT_EQ(dialogs.ShownTexts(), Texts(2, "Missing Data.  Enter a Name and a Key or generate one."));
  EXPECT_EQ(ReadBytes(folder / "key.dat"), "");
}

TEST_F(KeyManagement, TheDefaultTickOfTheLastAddIsTheOnlyDefault) {
  ASSERT_TRUE(Add("Office", "123456789123456789", true));
  const auto view = Add("Home", "987654321", true);
  ASSERT_TRUE(view);
  EXPECT_EQ(view->names, (Texts{"Office", "Home"}));
  EXPECT_EQ(view->listText, "Office");
  EXPECT_EQ(view->summary, " 2 keys defined.  Default key is Home.");
  EXPECT_EQ(ReadBytes(folder / "key.dat"),
            std::string("Office").append(34, ' ') + "123456789123456789N" + std::string("Home").append(36, ' ') +
                "987654321" + std::string(9, ' ') + "Y");
  EXPECT_TRUE(Add("Home", "987654321", false)->summary.ends_with(kNoDefault));
}

// Names match in any letter case, character by character; the update takes
// the name as typed, trimmed, and stores it in Windows-1252 where it fits
// (which names stay UTF-8 is the ANSI text tests').
TEST_F(KeyManagement, ANameInAnyLetterCaseUpdatesItsRecordUnderTheNewName) {
  struct Case {
    std::string first, second, kept, stored;
  };
  const Case cases[] = {
      {"Home", "HOME", "HOME", "HOME"},
      {"\xC3\x84rger", "\xC3\xA4RGER ", "\xC3\xA4RGER", "\xE4RGER "},  // "Ärger" / "äRGER " with a trailing blank
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kept);
    std::filesystem::remove(folder / "key.dat");
    ASSERT_TRUE(Add(c.first, "222222222", true));
    ASSERT_TRUE(Add("Club", "111111111"));
    const auto view = Add(c.second, "333333333", true);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->names, (Texts{c.kept, "Club"}));  // updated where it stands
    EXPECT_EQ(ReadKeys(folder.Path()),
              (std::vector<KeyRecord>{{c.kept, "333333333", true}, {"Club", "111111111", false}}));
    EXPECT_EQ(ReadBytes(folder / "key.dat").substr(0, c.stored.size()), c.stored);
  }
}

TEST_F(KeyManagement, AKeyThatDoesNotFitItsFieldAsStoredIsRefusedNotCut) {
  struct Case {
    std::string typed;
    std::string message;  // empty: the key fits and is stored as these bytes
    std::string stored;
  };
  const Case cases[] = {
      // Ω makes the key UTF-8 on disk: 18 characters, 19 bytes.
      {"\xCE\xA9mega1234567890123",
       "This key takes 19 bytes as stored, and a key holds at most 18.  \xCE\xA9 is not in the Western code page, "
       "so the key is stored as UTF-8, where every character beyond plain ASCII takes two to four bytes.  Shorten "
       "the key or generate one.",
       ""},
      {"12345678901234567890", "This key is 20 characters long, and a key holds at most 18.  Shorten the key or "
                               "generate one.", ""},
      {"\xCE\xA9mega123456789012", "", "\xCE\xA9mega123456789012"},  // 17 characters in 18 bytes
      {"  123456789012345678  ", "", "123456789012345678"},                // outer blanks are not kept
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    dialogs.shown.clear();
    std::filesystem::remove(folder / "key.dat");
    EXPECT_EQ(KeyTextTooLong(c.typed).value_or(""), c.message);
    const auto view = Add("Key", c.typed);
    if (c.message.empty()) {
      ASSERT_TRUE(view);
      EXPECT_EQ(ReadKeys(folder.Path()), (std::vector<KeyRecord>{{"Key", c.stored, false}}));
    } else {
      EXPECT_FALSE(view);
      EXPECT_EQ(dialogs.ShownTexts(), Texts{c.message});
      EXPECT_TRUE(ReadKeys(folder.Path()).empty());
    }
  }
}

TEST_F(KeyManagement, AKeyTheEngineRefusesIsNotStored) {
  EXPECT_FALSE(Add("Bad", "-9-9-9-9-9-9-9-9-9"));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text,
            "This key cannot be used: a minus sign before a digit gives it wheel positions that do not exist.  "
            "Change the key or generate one.");
  EXPECT_TRUE(ReadKeys(folder.Path()).empty());
}

TEST_F(KeyManagement, AKeyThatProtectsNothingIsStoredOnlyOnYes) {
  dialogs.answers = {base::Answer::No, base::Answer::Yes};
  EXPECT_FALSE(Add("Letters", "password"));
  EXPECT_TRUE(ReadKeys(folder.Path()).empty());
  EXPECT_TRUE(Add("Letters", "password"));
  EXPECT_EQ(ReadKeys(folder.Path()), (std::vector<KeyRecord>{{"Letters", "password", false}}));
  ASSERT_EQ(dialogs.asked.size(), 2u);
  EXPECT_EQ(dialogs.asked[0].title, "Weak Key");
  EXPECT_EQ(dialogs.asked[0].buttons, base::Buttons::YesNo);
  EXPECT_TRUE(dialogs.asked[0].text.ends_with("protects nothing.  Store it anyway?"));
}

TEST_F(KeyManagement, ClickingANameFillsTheEditor) {
  ASSERT_TRUE(Add("Home", "4711", true));
  EXPECT_EQ(ShowListedKey(folder.Path(), "Home"), (KeyEditor{"Home", "4711", true}));
  EXPECT_FALSE(ShowListedKey(folder.Path(), "home"));
}

// How the key is loaded is the key selection's to test.
TEST_F(KeyManagement, SetLoadsTheKeyOfTheNameFillingTheEditor) {
  TempFolder work;
  engine::Engine engine(work.Path());
  std::string currentKey;
  EXPECT_FALSE(SetKey(folder.Path(), "", engine, currentKey, dialogs));  // an empty store: nothing to set
  EXPECT_FALSE(engine.KeyLoaded());
  ASSERT_TRUE(Add("Home", "4711", true));
  EXPECT_EQ(SetKey(folder.Path(), "Home", engine, currentKey, dialogs), (KeyEditor{"Home", "4711", true}));
  EXPECT_EQ(currentKey, "471147114711471147");
}

TEST(KeyCheck, EachKeyTextIsJudgedByItsWheelPositions) {
  const std::pair<const char*, KeyVerdict> cases[] = {
      {"4711", KeyVerdict::Usable},          {"12 34", KeyVerdict::Usable},
      {".4.4", KeyVerdict::Usable},          {"secret", KeyVerdict::ProtectsNothing},
      {"000000000000000000", KeyVerdict::ProtectsNothing}, {"a0b0c0d0e0f0g0h0i0", KeyVerdict::ProtectsNothing},
      {"-0", KeyVerdict::ProtectsNothing},   {"-9", KeyVerdict::Refused},
  };
  for (const auto& [key, verdict] : cases) EXPECT_EQ(JudgeKeyText(key), verdict) << key;
}

}  // namespace
}  // namespace ostrel::keys
