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
class EngineLiteralTest : public EngineTest {
 protected:
  // True when both accepted the key; they must agree on refusing it.
  bool LoadBoth(const std::string& key) {
    std::string realKey = key;
    std::string literalKey = key;
    bool realLoaded = true;
    try {
      engine.LoadKey(realKey);
    } catch (const EngineError&) {
      realLoaded = false;
    }
    EXPECT_EQ(realLoaded, literalEngine.LoadKey(literalKey)) << key;
    EXPECT_EQ(realKey, literalKey);
    return realLoaded;
  }

  void ExpectSameKeyspace(const std::string& key) {
    for (const char* name : kKeyspaceFiles) {
      EXPECT_EQ(WorkBytes(name), testing::ReadBytes(literal / name)) << key << name;
    }
    const auto& entries = engine.KeySequenceEntries();
    EXPECT_EQ(std::vector<std::int32_t>(entries.begin() + 1, entries.end()),
              std::vector<std::int32_t>(literalEngine.KeySequence().begin() + 1, literalEngine.KeySequence().end()))
        << key;
    EXPECT_EQ(engine.Periods(), literalEngine.PeriodTable()) << key;
  }

  // Both directions, as texts and as files, and the working wheels restored alike.
  void ExpectSameCipher(const std::string& text, bool asFile = false) {
    std::string encrypted = text;
    std::string decrypted = text;
    if (asFile) {
      testing::WriteBytes(folder / "in.bin", text);
      engine.EncryptFile(folder / "in.bin", folder / "out.enc");
      engine.DecryptFile(folder / "in.bin", folder / "out.dec");
      encrypted = WorkBytes("out.enc");
      decrypted = WorkBytes("out.dec");
    } else {
      engine.EncryptText(encrypted);
      engine.DecryptText(decrypted);
    }
    ASSERT_EQ(encrypted, literalEngine.EncryptText(text)) << text.size();
    ASSERT_EQ(decrypted, literalEngine.DecryptText(text)) << text.size();
    EXPECT_EQ(WorkBytes("k1.bcr"), testing::ReadBytes(literal / "k1.bcr"));
  }

  static std::string DigitKey(std::mt19937& random) {
    std::string key;
    for (int i = 0; i < 18; ++i) key += static_cast<char>('1' + random() % 9);
    return key;
  }

  testing::TempFolder literal;
  literal::LiteralEngine literalEngine{literal.Path()};
};

TEST_F(EngineLiteralTest, KeyspacesAgreeForDigitAndTypedKeys) {
  std::mt19937 random(2026);
  const std::string characters = "abcXYZ0123456789 .-+,E!\t\xE9\xFC";
  int refused = 0;
  for (int trial = 0; trial < 40; ++trial) {
    std::string key = DigitKey(random);
    if (trial % 2 == 1) {
      key.resize(1 + random() % 24);
      for (char& c : key) c = characters[random() % characters.size()];
    }
    const bool loaded = LoadBoth(key);
    if (loaded) ExpectSameKeyspace(key);
    refused += loaded ? 0 : 1;
  }
  for (const std::string key : {"-1", "x-5", "1-2-3-4-5-6-7-8-9", ".5.5", " ", "\xFF\xFE"}) {
    if (LoadBoth(key)) ExpectSameKeyspace(key);
  }
  EXPECT_LT(refused, 40);
}

TEST_F(EngineLiteralTest, TextsAgreeUpToAndPastThePeriodWrap) {
  std::mt19937 random(77);
  for (int trial = 0; trial < 6; ++trial) {
    ASSERT_TRUE(LoadBoth(trial % 2 == 0 ? DigitKey(random) : "typed key " + std::to_string(trial)));
    const auto pastTheWrap = std::accumulate(engine.Periods().begin() + 1, engine.Periods().end(), 301u);
    for (const std::size_t size : {0u, 1u, 9u, 10u, 11u, 50u, 51u, 700u, pastTheWrap}) {
      ExpectSameCipher(RandomText(random, size));
    }
  }
}

TEST_F(EngineLiteralTest, EditedSettingsFilesAreReadTheSameWay) {
  ASSERT_TRUE(LoadBoth("123456789123456789"));
  std::string steps;
  for (const char* line : {" 300 ", "1", "-4", "7.5", "6.5", "word", " 256 ", "257", "2", "3"}) {
    steps += std::string(line) + "\r\n";
  }
  std::string settings = WorkBytes("k3.bin");
  settings.replace(0, 6, "d U?DD");
  for (const auto& at : {folder.Path(), literal.Path()}) {
    testing::WriteBytes(at / "k4.bin", steps + steps);
    testing::WriteBytes(at / "k3.bin", settings);
  }
  std::mt19937 random(3);
  ExpectSameCipher(RandomText(random, 3000));
}

TEST_F(EngineLiteralTest, FilesAgreeForRecordEdgeSizes) {
  std::mt19937 random(11);
  ASSERT_TRUE(LoadBoth(DigitKey(random)));
  for (const std::size_t size : {0u, 1u, 999u, 1000u, 1001u, 1500u, 2000u, 2500u, 12345u}) {
    ExpectSameCipher(RandomText(random, size), true);
  }
}

// Under the sanitizers the literal machine takes minutes a megabyte, so the
// file there is cut to two streaming blocks; the bytes do not depend on it.
#ifdef __SANITIZE_ADDRESS__
constexpr std::size_t kSeveralMegabytes = (std::size_t{1} << 20) + 777;
#else
constexpr std::size_t kSeveralMegabytes = (std::size_t{3} << 20) + 777;
#endif

TEST_F(EngineLiteralTest, FileOfSeveralMegabytesAgreesAcrossBlocksAndThreads) {
  std::mt19937 random(5);
  ASSERT_TRUE(LoadBoth("5"));
  engine.SetThreads(3);
  ExpectSameCipher(RandomText(random, kSeveralMegabytes), true);
}

}  // namespace
}  // namespace ostrel::engine
