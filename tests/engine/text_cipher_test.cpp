#include <gtest/gtest.h>

#include <algorithm>

#include "engine_fixture.h"

namespace ostrel::engine {
namespace {

constexpr const char* kDigitKey = "123456789123456789";

class TextCipherTest : public EngineTest {
 protected:
  void SetUp() override { Load(kDigitKey); }
};

TEST_F(TextCipherTest, EachCallStartsFromThePristineWheels) {
  const std::string pristine = WorkBytes("k1.brs");
  const std::string cipher = Encrypted("twice the same");
  EXPECT_EQ(WorkBytes("k1.bcr"), pristine);
  EXPECT_EQ(Decrypted(cipher), "twice the same");
  EXPECT_EQ(WorkBytes("k1.bcr"), pristine);
  EXPECT_EQ(Encrypted(""), "");
  EXPECT_EQ(WorkBytes("k1.bcr"), pristine);
  // As if the program died after saving the turned wheels.
  std::string turned = WorkBytes("k1.bcr");
  std::rotate(turned.begin(), turned.begin() + 256, turned.end());
  testing::WriteBytes(folder / "k1.bcr", turned);
  EXPECT_EQ(Encrypted("twice the same"), cipher);
}

class TextCipherFailureTest : public EngineTest {
 protected:
  // The error's text, or "" when the call went through; the text must be
  // left as it was on failure.
  std::string FailureOf(bool encrypt, const std::string& plain) {
    std::string text = plain;
    try {
      encrypt ? engine.EncryptText(text) : engine.DecryptText(text);
    } catch (const EngineError& error) {
      EXPECT_EQ(text, plain);
      return error.what();
    }
    return "";
  }
};

TEST_F(TextCipherFailureTest, NoKeyLoadedIsReportedAndTheTextKept) {
  EXPECT_EQ(FailureOf(true, "plain"), "No key is loaded.");
  EXPECT_EQ(FailureOf(false, "plain"), "No key is loaded.");
}

TEST_F(TextCipherFailureTest, MissingOrShortWorkFilesAreReportedAndTheTextKept) {
  const std::pair<const char*, std::string> damages[] = {  // empty: delete the file
      {"k2.bin", ""},     {"k2.bin", " 20 \r\n"}, {"k2.bin", " 20  0 \r\n"}, {"k2.bin", " 20  2000000000 \r\n"},
      {"k1.brs", ""},     {"k1.brs", std::string(5119, 'a')}, {"k3.bin", "UD"}, {"k4.bin", " 2 \r\n"}};
  for (const auto& [name, bytes] : damages) {
    Load(kDigitKey);
    if (bytes.empty()) {
      std::filesystem::remove(folder / name);
    } else {
      testing::WriteBytes(folder / name, bytes);
    }
    EXPECT_NE(FailureOf(true, "keep me"), "") << name << bytes.size();
  }
}

TEST_F(TextCipherFailureTest, WorkingWheelsThatCannotBeWrittenLeaveTheTextAsItWas) {
  Load(kDigitKey);
  std::filesystem::remove(folder / "k1.bcr");
  std::filesystem::create_directory(folder / "k1.bcr");
  // Large enough to be ciphered in place on several threads.
  const std::string plain(std::size_t{3} << 20, 'q');
  EXPECT_NE(FailureOf(true, plain), "");
  std::filesystem::remove(folder / "k1.bcr");
  const std::string cipher = Encrypted(plain);
  EXPECT_FALSE(cipher == plain);
  EXPECT_TRUE(Decrypted(cipher) == plain);
}

}  // namespace
}  // namespace ostrel::engine
