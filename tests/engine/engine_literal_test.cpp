// The engine against its literal, slow counterpart: same key, same files,
// same bytes.

#include <gtest/gtest.h>

#include <numeric>
#include <random>

#include "engine_fixture.h"
#include "literal_engine.h"

namespace ostrel::engine {
namespace {

// An engine and a literal engine, each on its own folder, loaded and used alike.
struct Pair {
  // True when both accepted the key; they must agree on refusing it.
  bool Load(const std::string& key) {
    std::string realKey = key;
    std::string literalKey = key;
    bool realLoaded = true;
    try {
      realEngine.LoadKey(realKey);
    } catch (const EngineError&) {
      realLoaded = false;
    }
    const bool literalLoaded = literalEngine.LoadKey(literalKey);
    EXPECT_EQ(realLoaded, literalLoaded) << key;
    EXPECT_EQ(realKey, literalKey);
    return realLoaded && literalLoaded;
  }

  void ExpectSameKeyspace(const std::string& key) {
    for (const char* name : {"k1.bin", "k1.brs", "k1.bcr", "k2.bin", "k3.bin", "k4.bin", "k5.bin", "k6.dat"}) {
      EXPECT_EQ(testing::ReadBytes(real.Path() / name), testing::ReadBytes(literal.Path() / name))
          << key << " " << name;
    }
    const auto& entries = realEngine.KeySequenceEntries();
    const auto& literalEntries = literalEngine.KeySequence();
    EXPECT_EQ(std::vector<std::int32_t>(entries.begin() + 1, entries.end()),
              std::vector<std::int32_t>(literalEntries.begin() + 1, literalEntries.end())) << key;
    EXPECT_EQ(realEngine.Periods(), literalEngine.PeriodTable()) << key;
  }

  // Both directions, and the working wheels restored alike.
  void ExpectSameText(const std::string& text) {
    std::string encrypted = text;
    realEngine.EncryptText(encrypted);
    ASSERT_EQ(encrypted, literalEngine.EncryptText(text)) << text.size();
    std::string decrypted = text;
    realEngine.DecryptText(decrypted);
    ASSERT_EQ(decrypted, literalEngine.DecryptText(text)) << text.size();
    EXPECT_EQ(testing::ReadBytes(real.Path() / "k1.bcr"), testing::ReadBytes(literal.Path() / "k1.bcr"));
  }

  void ExpectSameFile(const std::string& bytes) {
    for (const auto& folder : {real.Path(), literal.Path()}) testing::WriteBytes(folder / "in.bin", bytes);
    realEngine.EncryptFile(real.Path() / "in.bin", real.Path() / "out.enc");
    literalEngine.EncryptFile(literal.Path() / "in.bin", literal.Path() / "out.enc");
    realEngine.DecryptFile(real.Path() / "in.bin", real.Path() / "out.dec");
    literalEngine.DecryptFile(literal.Path() / "in.bin", literal.Path() / "out.dec");
    for (const char* name : {"out.enc", "out.dec", "k1.bcr"}) {
      ASSERT_EQ(testing::ReadBytes(real.Path() / name), testing::ReadBytes(literal.Path() / name)) << name;
    }
  }

  std::int64_t PeriodCycle() const {
    return std::accumulate(realEngine.Periods().begin() + 1, realEngine.Periods().end(), std::int64_t{0});
  }

  testing::TempFolder real;
  testing::TempFolder literal;
  Engine realEngine{real.Path()};
  literal::LiteralEngine literalEngine{literal.Path()};
};

std::string DigitKey(std::mt19937& random) {
  std::string key;
  for (int i = 0; i < 18; ++i) key += static_cast<char>('1' + random() % 9);
  return key;
}

std::string TypedKey(std::mt19937& random) {
  static const std::string characters = "abcXYZ0123456789 .-+,E!\t\xE9\xFC";
  std::string key;
  const std::size_t length = 1 + random() % 24;
  for (std::size_t i = 0; i < length; ++i) key += characters[random() % characters.size()];
  return key;
}

TEST(EngineLiteralTest, KeyspacesAgreeForDigitAndTypedKeys) {
  std::mt19937 random(2026);
  Pair pair;
  int refused = 0;
  for (int trial = 0; trial < 40; ++trial) {
    const std::string key = trial % 2 == 0 ? DigitKey(random) : TypedKey(random);
    if (!pair.Load(key)) {
      ++refused;
      continue;
    }
    pair.ExpectSameKeyspace(key);
  }
  for (const std::string key : {"-1", "x-5", "1-2-3-4-5-6-7-8-9", ".5.5", " ", "\xFF\xFE"}) {
    if (pair.Load(key)) pair.ExpectSameKeyspace(key);
  }
  EXPECT_LT(refused, 40);
}

TEST(EngineLiteralTest, TextsAgreeInBothDirectionsAndAcrossThePeriodWrap) {
  std::mt19937 random(77);
  Pair pair;
  for (int trial = 0; trial < 6; ++trial) {
    ASSERT_TRUE(pair.Load(trial % 2 == 0 ? DigitKey(random) : "typed key " + std::to_string(trial)));
    const auto pastTheWrap = static_cast<std::size_t>(pair.PeriodCycle() + 301);
    for (const std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{9}, std::size_t{10},
                                   std::size_t{11}, std::size_t{50}, std::size_t{51}, std::size_t{700},
                                   pastTheWrap}) {
      pair.ExpectSameText(RandomText(random, size));
    }
  }
}

TEST(EngineLiteralTest, EditedSettingsFilesAreReadTheSameWay) {
  Pair pair;
  ASSERT_TRUE(pair.Load("123456789123456789"));
  std::string steps;
  for (const char* line : {" 300 ", "1", "-4", "7.5", "6.5", "word", " 256 ", "257", "2", "3"}) {
    steps += std::string(line) + "\r\n";
  }
  steps += steps;
  std::string settings = testing::ReadBytes(pair.real.Path() / "k3.bin");
  settings.replace(0, 6, "d U?DD");
  for (const auto& folder : {pair.real.Path(), pair.literal.Path()}) {
    testing::WriteBytes(folder / "k4.bin", steps);
    testing::WriteBytes(folder / "k3.bin", settings);
  }
  std::mt19937 random(3);
  pair.ExpectSameText(RandomText(random, 3000));
}

TEST(EngineLiteralTest, FilesAgreeForRecordEdgeSizes) {
  std::mt19937 random(11);
  Pair pair;
  ASSERT_TRUE(pair.Load(DigitKey(random)));
  for (const std::size_t size : {0u, 1u, 999u, 1000u, 1001u, 1500u, 2000u, 2500u}) {
    pair.ExpectSameFile(RandomText(random, size));
  }
  ASSERT_TRUE(pair.Load("files too"));
  pair.ExpectSameFile(RandomText(random, 12345));
  EXPECT_EQ(testing::ReadBytes(pair.real.Path() / "Ostdec.dat").size(), 80u);
}

// Under the sanitizers the literal machine takes minutes a megabyte, so the
// file there is cut to two streaming blocks; the bytes do not depend on it.
#ifdef __SANITIZE_ADDRESS__
constexpr std::size_t kSeveralMegabytes = (std::size_t{1} << 20) + 777;
#else
constexpr std::size_t kSeveralMegabytes = (std::size_t{3} << 20) + 777;
#endif

TEST(EngineLiteralTest, FileOfSeveralMegabytesAgreesAcrossBlocksAndThreads) {
  std::mt19937 random(5);
  Pair pair;
  ASSERT_TRUE(pair.Load("5"));
  pair.realEngine.SetThreads(3);
  pair.ExpectSameFile(RandomText(random, kSeveralMegabytes));
}

}  // namespace
}  // namespace ostrel::engine
