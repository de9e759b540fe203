// Keyspaces, order periods and cipher texts that a correspondent's program
// produces. They were worked out by tests/data/engine/wheel_machine_by_hand.py,
// a plain step-by-step rendering of the machine written apart from the engine:
//     python3 wheel_machine_by_hand.py KEY key-KEY 7000
// The counting text's byte i is (i * 131 + 7) mod 256: every code, and at
// 7000 bytes long enough for every key here to use all 200 order periods and
// start over.

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <sstream>

#include "engine_fixture.h"

namespace ostrel::engine {
namespace {

using Path = WheelCipher::Path;

constexpr std::size_t kCountingSize = 7000;

std::string CountingText(std::size_t size) {
  std::string text(size, '\0');
  for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<char>((i * 131 + 7) % 256);
  return text;
}

std::string Answer(const std::string& name) {
  return testing::ReadBytes(std::filesystem::path(OSTREL_ENGINE_DATA) / name);
}

std::vector<std::int32_t> ParsePeriods(const std::string& text) {
  std::istringstream lines(text);
  std::vector<std::int32_t> periods;
  for (std::int32_t value = 0; lines >> value;) periods.push_back(value);
  return periods;
}

const char* Name(Path path) { return path == Path::Vector ? "vector path" : "portable path"; }

struct KnownKey {
  const char* key;
  const char* normalised;
  const char* answers;  // folder under the engine's test data
};
// Characters after the 18th play no part.
const KnownKey kKnownKeys[] = {{"5", "555555555555555555", "key-5"},
                               {"123456789123456789", "123456789123456789", "key-123456789123456789"},
                               {"123456789123456789 and more", "123456789123456789", "key-123456789123456789"},
                               {"Letters", "LettersLettersLett", "key-Letters"}};

class KnownAnswersTest : public EngineTest, public ::testing::WithParamInterface<KnownKey> {
 protected:
  void SetUp() override { ASSERT_EQ(Load(GetParam().key), GetParam().normalised); }
  std::string KeyAnswer(const std::string& name) const { return Answer(GetParam().answers + ("/" + name)); }

  const std::string plain = CountingText(kCountingSize);
};

TEST_P(KnownAnswersTest, KeyspaceIsTheWorkedOutOne) {
  // The pristine and the working wheels start as the generated ones.
  for (const std::string name : kKeyspaceFiles) {
    EXPECT_TRUE(WorkBytes(name) == KeyAnswer(name.starts_with("k1.") ? "k1.bin" : name)) << name;
  }
}

TEST_P(KnownAnswersTest, PeriodsAreTheWorkedOutOnes) {
  const std::vector<std::int32_t> expected = ParsePeriods(KeyAnswer("periods.txt"));
  EXPECT_EQ(std::vector<std::int32_t>(engine.Periods().begin() + 1, engine.Periods().end()), expected);
  // The text must run past the last order period back to the first.
  EXPECT_LT(std::accumulate(expected.begin(), expected.end(), std::size_t{0}), kCountingSize);
}

TEST_P(KnownAnswersTest, TextsGiveTheWorkedOutCipherBothWaysOnEitherPath) {
  const std::string expected = KeyAnswer("counting-7000.enc");
  for (const Path path : {Path::Portable, Path::Vector}) {
    SCOPED_TRACE(Name(path));
    engine.SetCipherPath(path);
    const std::string cipher = Encrypted(plain);
    ASSERT_EQ(cipher.size(), expected.size());
    EXPECT_EQ(std::mismatch(cipher.begin(), cipher.end(), expected.begin()).first - cipher.begin(),
              static_cast<std::ptrdiff_t>(kCountingSize))
        << "first differing byte";
    EXPECT_TRUE(Decrypted(expected) == plain);
  }
}

INSTANTIATE_TEST_SUITE_P(Keys, KnownAnswersTest, ::testing::ValuesIn(kKnownKeys),
                         [](const auto& instance) { return "Key" + std::to_string(instance.index); });

using KnownKeyVerdictTest = EngineTest;

// What the script says of each key, run as
//     python3 wheel_machine_by_hand.py -- KEY /tmp/anywhere
// "refused", or the key as normalised.
TEST_F(KnownKeyVerdictTest, KeysAreRefusedOrNormalisedAsWorkedOut) {
  struct Verdict {
    const char* key;
    const char* normalised;  // nullptr: refused
  };
  const Verdict verdicts[] = {{"-1", nullptr},
                              {"x-5", nullptr},
                              {"3-", nullptr},
                              {"12-3", nullptr},
                              {"1-2-3-4-5-6-7-8-9", nullptr},
                              {"-a", "-a-a-a-a-a-a-a-a-a"},
                              {".5.5", ".5.5.5.5.5.5.5.5.5"},
                              {" ", "                  "},
                              {"\xFF\xFE", "\xFF\xFE\xFF\xFE\xFF\xFE\xFF\xFE\xFF\xFE\xFF\xFE\xFF\xFE\xFF\xFE\xFF\xFE"}};
  for (const auto& [key, normalised] : verdicts) {
    SCOPED_TRACE(key);
    std::string text = key;
    if (normalised == nullptr) {
      EXPECT_THROW(engine.LoadKey(text), EngineError);
    } else {
      EXPECT_NO_THROW(engine.LoadKey(text));
      EXPECT_EQ(text, normalised);
    }
  }
}

using LongKnownAnswerTest = EngineTest;

// Two streaming blocks and a bit, so that the file runs on three threads and
// the text fills every lane of the vector path. Only sampled bytes are kept:
//     python3 wheel_machine_by_hand.py 5 key-5 --samples 2097929
constexpr std::size_t kLongSize = (std::size_t{2} << 20) + 777;

// The script's sample: every 1021st byte, the 16 either side of each MiB
// boundary, and the last 16.
std::string Sampled(const std::string& bytes) {
  std::string samples;
  for (std::size_t p = 0; p < bytes.size(); ++p) {
    if (p % 1021 == 0 || (p + 16) % (std::size_t{1} << 20) < 32 || p + 16 >= bytes.size()) samples += bytes[p];
  }
  return samples;
}

TEST_F(LongKnownAnswerTest, TextsAndFilesAcrossBlocksLanesAndThreads) {
  Load("5");
  const std::string plain = CountingText(kLongSize);
  const std::string expected = Answer("key-5/counting-2097929.samples");
  for (const Path path : {Path::Portable, Path::Vector}) {
    SCOPED_TRACE(Name(path));
    engine.SetCipherPath(path);
    const std::string cipher = Encrypted(plain);
    EXPECT_TRUE(Sampled(cipher) == expected);
    EXPECT_TRUE(Decrypted(cipher) == plain);
  }
  engine.SetThreads(3);
  testing::WriteBytes(folder / "long.txt", plain);
  engine.EncryptFile(folder / "long.txt", folder / "long.enc");
  EXPECT_TRUE(Sampled(WorkBytes("long.enc")) == expected);
  engine.DecryptFile(folder / "long.enc", folder / "long.out");
  EXPECT_TRUE(WorkBytes("long.out") == plain);
}

using EditedSettingsKnownAnswerTest = EngineTest;

// Settings files edited by hand after the key load: steps of a whole turn
// and more, other directions, three passes:
//     python3 wheel_machine_by_hand.py 123456789123456789 key-123456789123456789/edited 7000
//         --steps 300,256,257,1,7,513,2,3,255,4,5,6,1,2,3,4,5,6,7,8
//         --directions DDUUDUDUUUDDUDUDDUUD --passes 3
TEST_F(EditedSettingsKnownAnswerTest, StepsPastAWholeTurnOtherDirectionsAndThreePasses) {
  Load("123456789123456789");
  testing::WriteBytes(folder / "k2.bin", " 20  3 \r\n");
  std::string settings = WorkBytes("k3.bin");
  settings.replace(0, 20, "DDUUDUDUUUDDUDUDDUUD");
  testing::WriteBytes(folder / "k3.bin", settings);
  std::string steps;
  for (const int step : {300, 256, 257, 1, 7, 513, 2, 3, 255, 4, 5, 6, 1, 2, 3, 4, 5, 6, 7, 8}) {
    steps += " " + std::to_string(step) + " \r\n";
  }
  testing::WriteBytes(folder / "k4.bin", steps);
  const std::string plain = CountingText(kCountingSize);
  const std::string expected = Answer("key-123456789123456789/edited/counting-7000.enc");
  EXPECT_TRUE(Encrypted(plain) == expected);
  EXPECT_TRUE(Decrypted(expected) == plain);
}

}  // namespace
}  // namespace ostrel::engine
