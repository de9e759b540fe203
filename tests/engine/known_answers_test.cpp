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

const std::filesystem::path kData = OSTREL_ENGINE_DATA;
constexpr std::size_t kCountingSize = 7000;
const char* const kKeyspaceFiles[] = {"k1.bin", "k2.bin", "k3.bin", "k4.bin", "k5.bin", "k6.dat"};

std::string CountingText() {
  std::string text(kCountingSize, '\0');
  for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char>((i * 131 + 7) % 256);
  return text;
}

std::vector<std::int32_t> ReadPeriods(const std::filesystem::path& file) {
  std::istringstream lines(testing::ReadBytes(file));
  std::vector<std::int32_t> periods;
  for (std::int32_t value = 0; lines >> value;) periods.push_back(value);
  return periods;
}

struct KnownKey {
  const char* key;
  const char* normalised;
  const char* answers;  // folder under kData
};
// Characters after the 18th play no part.
const KnownKey kKnownKeys[] = {{"5", "555555555555555555", "key-5"},
                               {"123456789123456789", "123456789123456789", "key-123456789123456789"},
                               {"123456789123456789 and more", "123456789123456789", "key-123456789123456789"},
                               {"Letters", "LettersLettersLett", "key-Letters"}};

std::filesystem::path Answers(const KnownKey& known) { return kData / known.answers; }

class KnownAnswersTest : public EngineTest {};

TEST_F(KnownAnswersTest, KeyspacesAndPeriodsAreTheWorkedOutOnes) {
  for (const KnownKey& known : kKnownKeys) {
    SCOPED_TRACE(known.key);
    EXPECT_EQ(Load(known.key), known.normalised);
    for (const char* name : kKeyspaceFiles) {
      EXPECT_TRUE(WorkBytes(name) == testing::ReadBytes(Answers(known) / name)) << name;
    }
    // The pristine and the working wheels start as the generated ones.
    EXPECT_TRUE(WorkBytes("k1.brs") == WorkBytes("k1.bin"));
    EXPECT_TRUE(WorkBytes("k1.bcr") == WorkBytes("k1.bin"));
    const PeriodTable& table = engine.Periods();
    const std::vector<std::int32_t> periods(table.begin() + 1, table.end());
    EXPECT_EQ(periods, ReadPeriods(Answers(known) / "periods.txt"));
    // The text must run past the last order period back to the first.
    EXPECT_LT(std::accumulate(periods.begin(), periods.end(), std::size_t{0}), kCountingSize);
  }
}

TEST_F(KnownAnswersTest, TextsAndFilesGiveTheWorkedOutCipherBothWays) {
  const std::string plain = CountingText();
  testing::WriteBytes(folder / "counting.txt", plain);
  for (const KnownKey& known : kKnownKeys) {
    SCOPED_TRACE(known.key);
    Load(known.key);
    const std::string expected = testing::ReadBytes(Answers(known) / "counting-7000.enc");
    const std::string cipher = Encrypted(plain);
    ASSERT_EQ(cipher.size(), expected.size());
    EXPECT_EQ(std::mismatch(cipher.begin(), cipher.end(), expected.begin()).first - cipher.begin(),
              static_cast<std::ptrdiff_t>(kCountingSize))
        << "first differing byte";
    EXPECT_TRUE(Decrypted(expected) == plain);
    engine.EncryptFile(folder / "counting.txt", folder / "counting.enc");
    EXPECT_TRUE(WorkBytes("counting.enc") == expected);
    engine.DecryptFile(folder / "counting.enc", folder / "counting.out");
    EXPECT_TRUE(WorkBytes("counting.out") == plain);
  }
}

TEST(KnownAnswersLiteralTest, TheLiteralReferenceGivesTheWorkedOutCipher) {
  testing::TempFolder folder;
  literal::LiteralEngine literalEngine(folder.Path());
  const std::string plain = CountingText();
  for (const KnownKey& known : kKnownKeys) {
    SCOPED_TRACE(known.key);
    std::string key = known.key;
    ASSERT_TRUE(literalEngine.LoadKey(key));
    EXPECT_TRUE(literalEngine.EncryptText(plain) == testing::ReadBytes(Answers(known) / "counting-7000.enc"));
    const std::vector<std::int32_t> periods(literalEngine.PeriodTable().begin() + 1,
                                            literalEngine.PeriodTable().end());
    EXPECT_EQ(periods, ReadPeriods(Answers(known) / "periods.txt"));
  }
}

}  // namespace
}  // namespace ostrel::engine
