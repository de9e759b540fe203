#include "engine/key_sequence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>

#include "engine_fixture.h"
#include "support/folder_contents.h"

namespace ostrel::engine {
namespace {

std::int16_t Entry(const KeySequence& sequence, int i) { return sequence.at(static_cast<std::size_t>(i)); }

TEST(KeySequenceTest, EighteenDigitKeyStartsWithItsPairsForwardThenBackward) {
  const KeySequence e = ExpandKeySequence("314159265358979323");
  const KeySequence pairs = {31, 41, 59, 26, 53, 58, 97, 93, 23, 32, 39, 79, 85, 35, 62, 95, 14, 13};
  EXPECT_EQ(KeySequence(e.begin() + 1, e.begin() + 19), pairs);
  for (int i = 1; i <= 18; ++i) EXPECT_EQ(Entry(e, i + 18), Entry(e, i) + 2) << i;
  // The second cycle starts after entry 462 with the pairs again.
  EXPECT_EQ(KeySequence(e.begin() + 463, e.begin() + 481), pairs);
  EXPECT_EQ(e.size(), std::size_t{kKeySequenceLength} + 1);
}

TEST(KeySequenceTest, DigitKeysGiveEntriesFromOneTo151) {
  std::mt19937 random(18);
  for (int trial = 0; trial < 20; ++trial) {
    std::string key;
    for (int i = 0; i < 18; ++i) key += static_cast<char>('0' + random() % 10);
    const KeySequence e = ExpandKeySequence(key);
    EXPECT_GE(*std::min_element(e.begin() + 1, e.end()), 1) << key;
    EXPECT_LE(*std::max_element(e.begin() + 1, e.end()), 151) << key;
  }
}

TEST(KeySequenceTest, PairsAreReadAsNumbersAndOnlyAMinusBeforeADigitIsOutOfRange) {
  // " 7" and "7 " are 7; ".5" rounds to even 0 and becomes 1. The reversed
  // half puts the minus of "3-" in front of a digit at entry 10.
  struct Case {
    const char* key;
    int first;
    int firstOutOfRange;
  };
  const Case cases[] = {{" 7", 7, 0},  {"7 ", 7, 0},  {".5", 1, 0},  {".6", 1, 0},   {"5.", 5, 0},
                        {"-3", -3, 1}, {"3-", 3, 10}, {"-a", 1, 0}, {"a-5b", 1, 0}};
  for (const auto& [key, first, firstOutOfRange] : cases) {
    const KeySequence e = ExpandKeySequence(NormaliseKey(key));
    EXPECT_EQ(Entry(e, 1), first) << key;
    EXPECT_EQ(FirstEntryOutOfRange(e), firstOutOfRange) << key;
  }
}

using LoadKeyTest = EngineTest;

TEST_F(LoadKeyTest, RefusedKeysAreReportedAndChangeNothing) {
  const auto refusalOf = [this](std::string& key) {
    try {
      engine.LoadKey(key);
    } catch (const EngineError& error) {
      return std::string(error.what());
    }
    return std::string("key accepted");
  };
  std::string key;
  EXPECT_EQ(refusalOf(key), "The key is empty.");
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
  EXPECT_FALSE(engine.KeyLoaded());
  EXPECT_EQ(Load("abcde"), "abcdeabcdeabcdeabc");
  const auto before = testing::ReadFolderContents(folder.Path());
  const PeriodTable table = engine.Periods();
  key = "a-5";
  EXPECT_EQ(refusalOf(key),
            "This key cannot be used: a minus sign in front of a digit makes its keyspace invalid. "
            "Please choose another key.");
  EXPECT_EQ(key, "a-5");
  EXPECT_EQ(testing::ReadFolderContents(folder.Path()), before);
  EXPECT_EQ(engine.Periods(), table);
  EXPECT_EQ(engine.KeySequenceEntries(), ExpandKeySequence("abcdeabcdeabcdeabc"));
  EXPECT_TRUE(engine.KeyLoaded());
}

}  // namespace
}  // namespace ostrel::engine
