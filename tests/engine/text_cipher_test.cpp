#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "engine/hex_text.h"
#include "engine/work_files.h"
#include "engine_fixture.h"

namespace ostrel::engine {
namespace {

// Cipher texts and keyspace fingerprints that correspondents' stored mail
// depends on. They must never change.
constexpr const char* kDigitKey = "123456789123456789";
constexpr const char* kTypedKey = "Ostrel secret key!";
constexpr const char* kPlainText = "Hello, world";
constexpr const char* kDigitKeyCipherHex = "701765E6C74CF4727C782E46";
constexpr const char* kTypedKeyCipherHex = "FC7FDA45E47F0F481D4CB001";

// FNV-1a (64 bit) of each keyspace file under the digit key.
struct Fingerprint {
  const char* file;
  std::uint64_t fnv;
};
constexpr Fingerprint kDigitKeyFiles[] = {
    {"k1.bin", 1874509856929411575ULL},  {"k2.bin", 4449200977787973708ULL},
    {"k3.bin", 7122865115909785251ULL},  {"k4.bin", 7588471853811756142ULL},
    {"k5.bin", 14414146906303392229ULL}, {"k6.dat", 13966922282458927991ULL},
};

std::uint64_t Fnv1a(const std::string& bytes) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  return hash;
}

class TextCipherTest : public EngineTest {
 protected:
  void SetUp() override { Load("123456789123456789"); }
  std::string Encrypted(std::string text) {
    engine.EncryptText(text);
    return text;
  }
  std::string Decrypted(std::string text) {
    engine.DecryptText(text);
    return text;
  }
};

TEST_F(TextCipherTest, EveryCodeComesBackAndTheWorkingWheelsArePristineAfterEachCall) {
  const std::string pristine = WorkBytes("k1.brs");
  const std::string plain = AllCodes() + "\r\n" + std::string(3, '\0') + AllCodes();
  const std::string cipher = Encrypted(plain);
  EXPECT_EQ(WorkBytes("k1.bcr"), pristine);
  EXPECT_EQ(cipher.size(), plain.size());
  EXPECT_NE(cipher, plain);
  EXPECT_EQ(Decrypted(cipher), plain);
  EXPECT_EQ(WorkBytes("k1.bcr"), pristine);
  EXPECT_EQ(Encrypted(""), "");
}

TEST_F(TextCipherTest, ARunCutShortBeforeRestoringChangesNothingLater) {
  const std::string plain = "The wheels start from the pristine copy.";
  const std::string cipher = Encrypted(plain);
  // As if the program died after saving the turned wheels.
  std::string turned = WorkBytes("k1.bcr");
  std::rotate(turned.begin(), turned.begin() + 256, turned.end());
  testing::WriteBytes(folder / "k1.bcr", turned);
  EXPECT_EQ(Encrypted(plain), cipher);
  EXPECT_EQ(Decrypted(cipher), plain);
}

TEST_F(TextCipherTest, KnownCipherTextsStayTheSame) {
  Load(kDigitKey);
  for (const auto& [file, fnv] : kDigitKeyFiles) EXPECT_EQ(Fnv1a(WorkBytes(file)), fnv) << file;
  EXPECT_EQ(HexEncode(Encrypted(kPlainText)), kDigitKeyCipherHex);
  std::string hex = kDigitKeyCipherHex;
  EXPECT_EQ(Decrypted(HexDecode(hex)), kPlainText);
  Load(kTypedKey);
  EXPECT_EQ(HexEncode(Encrypted(kPlainText)), kTypedKeyCipherHex);
}

class TextCipherFailureTest : public EngineTest {};

TEST_F(TextCipherFailureTest, NoKeyLoadedIsReportedAndTheTextKept) {
  std::string text = "plain";
  try {
    engine.EncryptText(text);
    FAIL() << "no error";
  } catch (const EngineError& error) {
    EXPECT_STREQ(error.what(), "No key is loaded.");
  }
  EXPECT_EQ(text, "plain");
  EXPECT_THROW(engine.DecryptText(text), EngineError);
  EXPECT_EQ(text, "plain");
}

TEST_F(TextCipherFailureTest, MissingOrShortWorkFilesAreReportedAndTheTextKept) {
  struct Damage {
    const char* name;
    std::string bytes;  // empty: delete the file
  };
  const Damage damages[] = {{"k2.bin", ""},  {"k2.bin", " 20 \r\n"}, {"k2.bin", " 20  0 \r\n"},
                            {"k1.brs", ""},  {"k1.brs", std::string(5119, 'a')},
                            {"k2.bin", " 20  2000000000 \r\n"}, {"k3.bin", "UD"}, {"k4.bin", " 2 \r\n"}};
  for (const Damage& damage : damages) {
    Load("123456789123456789");
    if (damage.bytes.empty()) {
      std::filesystem::remove(folder / damage.name);
    } else {
      testing::WriteBytes(folder / damage.name, damage.bytes);
    }
    std::string text = "keep me";
    EXPECT_THROW(engine.EncryptText(text), EngineError) << damage.name << damage.bytes.size();
    EXPECT_EQ(text, "keep me");
  }
}

TEST_F(TextCipherFailureTest, WorkingWheelsThatCannotBeWrittenLeaveTheTextAsItWas) {
  Load("123456789123456789");
  std::filesystem::remove(folder / "k1.bcr");
  std::filesystem::create_directory(folder / "k1.bcr");
  // Large enough to be ciphered in place on several threads.
  const std::string plain(std::size_t{3} << 20, 'q');
  std::string text = plain;
  EXPECT_THROW(engine.EncryptText(text), EngineError);
  EXPECT_TRUE(text == plain);
  std::filesystem::remove(folder / "k1.bcr");
  engine.EncryptText(text);
  EXPECT_FALSE(text == plain);
  engine.DecryptText(text);
  EXPECT_TRUE(text == plain);
}

TEST_F(TextCipherFailureTest, RandomlyDamagedWorkFilesGiveAnErrorOrAWholeResult) {
  std::mt19937 random(404);
  const char* names[] = {"k1.brs", "k2.bin", "k3.bin", "k4.bin"};
  for (int trial = 0; trial < 24; ++trial) {
    Load("123456789123456789");
    const char* name = names[trial % 4];
    std::string bytes = WorkBytes(name);
    if (trial % 3 == 0) bytes.resize(random() % (bytes.size() + 1));
    for (int flips = 0; flips < 1 + trial % 5; ++flips) {
      if (!bytes.empty()) bytes[random() % bytes.size()] = static_cast<char>(random() & 0xFFu);
    }
    testing::WriteBytes(folder / name, bytes);
    const std::string plain = "some text to encipher";
    std::string text = plain;
    try {
      engine.EncryptText(text);
    } catch (const EngineError&) {
      EXPECT_EQ(text, plain) << name;
      continue;
    }
    EXPECT_EQ(text.size(), plain.size());
    engine.DecryptText(text);
    EXPECT_EQ(text, plain) << name;
  }
}

}  // namespace
}  // namespace ostrel::engine
