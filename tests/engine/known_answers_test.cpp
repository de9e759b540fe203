// Keyspaces, order periods and cipher texts that a correspondent's program
// produces. They were worked out by tests/data/engine/wheel_machine_by_hand.py,
// a plain step-by-step rendering of the machine written apart from the engine
// and from its literal counterpart:
//     python3 wheel_machine_by_hand.py KEY key-KEY 7000
// The text is 7000 bytes, byte i being (i * 131 + 7) mod 256, long enough for
// every key here to use all 200 order periods and start over.

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <sstream>

#include "engine_fixture.h"
#include "literal_engine.h"

namespace ostrel::engine {
namespace {

constexpr std::size_t kCountingSize = 7000;

std::vector<std::int32_t> ParsePeriods(const std::string& text) {
  std::istringstream lines(text);
  std::vector<std::int32_t> periods;
  for (std::int32_t value = 0; lines >> value;) periods.push_back(value);
  return periods;
}

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

// Each known key loaded into the engine and into the literal engine.
class KnownAnswersTest : public EngineTest, public ::testing::WithParamInterface<KnownKey> {
 protected:
  void SetUp() override {
    ASSERT_EQ(Load(GetParam().key), GetParam().normalised);
    std::string key = GetParam().key;
    ASSERT_TRUE(literalEngine.LoadKey(key));
    for (std::size_t i = 0; i < plain.size(); ++i) plain[i] = static_cast<char>((i * 131 + 7) % 256);
  }
  std::string Answer(const std::string& name) const {
    return testing::ReadBytes(std::filesystem::path(OSTREL_ENGINE_DATA) / GetParam().answers / name);
  }

  testing::TempFolder literal;
  literal::LiteralEngine literalEngine{literal.Path()};
  std::string plain = std::string(kCountingSize, '\0');
};

TEST_P(KnownAnswersTest, KeyspaceIsTheWorkedOutOne) {
  // The pristine and the working wheels start as the generated ones.
  for (const std::string name : kKeyspaceFiles) {
    EXPECT_TRUE(WorkBytes(name) == Answer(name.starts_with("k1.") ? "k1.bin" : name)) << name;
  }
}

TEST_P(KnownAnswersTest, PeriodsAreTheWorkedOutOnes) {
  const std::vector<std::int32_t> expected = ParsePeriods(Answer("periods.txt"));
  EXPECT_EQ(std::vector<std::int32_t>(engine.Periods().begin() + 1, engine.Periods().end()), expected);
  EXPECT_EQ(std::vector<std::int32_t>(literalEngine.PeriodTable().begin() + 1, literalEngine.PeriodTable().end()),
            expected);
  // The text must run past the last order period back to the first.
  EXPECT_LT(std::accumulate(expected.begin(), expected.end(), std::size_t{0}), kCountingSize);
}

TEST_P(KnownAnswersTest, TextsGiveTheWorkedOutCipherBothWays) {
  const std::string expected = Answer("counting-7000.enc");
  const std::string cipher = Encrypted(plain);
  ASSERT_EQ(cipher.size(), expected.size());
  EXPECT_EQ(std::mismatch(cipher.begin(), cipher.end(), expected.begin()).first - cipher.begin(),
            static_cast<std::ptrdiff_t>(kCountingSize))
      << "first differing byte";
  EXPECT_TRUE(Decrypted(expected) == plain);
  EXPECT_TRUE(literalEngine.EncryptText(plain) == expected);
}

TEST_P(KnownAnswersTest, FilesGiveTheWorkedOutCipherBothWays) {
  testing::WriteBytes(folder / "counting.txt", plain);
  engine.EncryptFile(folder / "counting.txt", folder / "counting.enc");
  EXPECT_TRUE(WorkBytes("counting.enc") == Answer("counting-7000.enc"));
  engine.DecryptFile(folder / "counting.enc", folder / "counting.out");
  EXPECT_TRUE(WorkBytes("counting.out") == plain);
}

INSTANTIATE_TEST_SUITE_P(Keys, KnownAnswersTest, ::testing::ValuesIn(kKnownKeys),
                         [](const auto& instance) { return "Key" + std::to_string(instance.index); });

}  // namespace
}  // namespace ostrel::engine
