#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace ostrel::engine {
namespace {

const char* const kCleanedNames[] = {"k1.tcr", "k1.trs", "k1.bcr", "k1.brs", "k1.txt", "k1.bin", "k2.txt", "k2.bin",
                                     "k3.txt", "k3.bin", "k4.txt", "k4.bin", "k5.txt", "k5.bin", "k6.dat"};

class CleanUpTest : public EngineTest {
 protected:
  void ExpectNoWorkFile() {
    for (const char* name : kCleanedNames) EXPECT_FALSE(WorkExists(name)) << name;
  }
};

TEST_F(CleanUpTest, AfterUseNoWorkFileRemainsButTheDecryptedListStays) {
  Load("123456789123456789");
  testing::WriteBytes(folder / "a.txt", "abc");
  engine.EncryptFile(folder / "a.txt", folder / "a.enc");
  engine.DecryptFile(folder / "a.enc", folder / "a.out");
  const std::string list = WorkBytes("Ostdec.dat");
  engine.CleanUpEngine();
  ExpectNoWorkFile();
  EXPECT_EQ(WorkBytes("Ostdec.dat"), list);
  EXPECT_FALSE(engine.KeyLoaded());
  std::string text = "after exit";
  EXPECT_THROW(engine.EncryptText(text), EngineError);
}

// Work files in a runtime folder of their own: the keyspace never touches
// the program folder, and "Ostdec.dat" stays there when the keyspace goes.
TEST(CleanUpApart, TheKeyspaceGoesFromTheWorkFolderAndTheDecryptedListStaysInTheProgramFolder) {
  testing::TempFolder work;
  testing::TempFolder program;
  Engine apart(work.Path(), program.Path());
  std::string key = "123456789123456789";
  apart.LoadKey(key);
  testing::WriteBytes(program / "a.txt", "abc");
  apart.EncryptFile(program / "a.txt", program / "a.enc");
  apart.DecryptFile(program / "a.enc", program / "a.out");
  EXPECT_EQ(testing::ReadBytes(program / "a.out"), "abc");
  EXPECT_TRUE(std::filesystem::exists(work / "k1.bin"));
  EXPECT_FALSE(std::filesystem::exists(work / "Ostdec.dat"));
  const std::string list = testing::ReadBytes(program / "Ostdec.dat");
  EXPECT_NE(list.find((program / "a.out").string()), std::string::npos);
  apart.CleanUpEngine();
  for (const char* name : kCleanedNames) {
    EXPECT_FALSE(std::filesystem::exists(work / name)) << name;
    EXPECT_FALSE(std::filesystem::exists(program / name)) << name;
  }
  EXPECT_EQ(testing::ReadBytes(program / "Ostdec.dat"), list);
}

TEST_F(CleanUpTest, FillerReplacesTheKeyspaceBeforeDeletion) {
  Load("123456789123456789");
  engine.OverwriteWorkFiles();
  std::string fillerLines;
  for (int i = 0; i < 20; ++i) fillerLines += "xxxxx\r\n";
  const std::pair<const char*, std::string> filled[] = {
      {"k1.bin", std::string(20 * 256, '@')}, {"k1.brs", std::string(20 * 256, '@')},
      {"k1.bcr", std::string(20 * 256, '@')}, {"k2.bin", " 0  0 \r\n"}, {"k2.txt", " 0  0 \r\n"},
      {"k3.bin", std::string(20, ' ') + std::string(80, '\0')}, {"k4.bin", fillerLines}, {"k5.bin", fillerLines},
      {"k6.dat", fillerLines}, {"k5.txt", fillerLines}, {"k3.txt", ""}, {"k4.txt", ""}, {"k1.tcr", ""},
      {"k1.trs", ""}, {"k1.txt", ""}};
  for (const auto& [name, bytes] : filled) EXPECT_EQ(WorkBytes(name), bytes) << name;
  engine.DeleteWorkFiles();
  ExpectNoWorkFile();
}

TEST_F(CleanUpTest, TextSetFilesFromElsewhereAreFilledToo) {
  Load("123456789123456789");
  testing::WriteBytes(folder / "k1.txt", std::string(10, 'k'));
  testing::WriteBytes(folder / "k3.txt", std::string(150, 'k'));
  engine.OverwriteWorkFiles();
  EXPECT_EQ(WorkBytes("k1.txt"), std::string(20 * 151, '@'));
  EXPECT_EQ(WorkBytes("k3.txt"), std::string(20, ' ') + std::string(80, '\0') + std::string(50, 'k'));
}

TEST_F(CleanUpTest, WithoutAKeyLeftoversAreBlankedAndNothingIsLeftBehind) {
  Engine lost(folder / "gone" / "away");
  lost.CleanUpEngine();
  EXPECT_FALSE(std::filesystem::exists(folder / "gone"));
  testing::WriteBytes(folder / "k1.bin", std::string(20 * 256, 'w'));
  testing::WriteBytes(folder / "k4.bin", "");
  engine.OverwriteWorkFiles();
  EXPECT_EQ(WorkBytes("k1.bin"), std::string(20 * 256, ' '));
  EXPECT_EQ(WorkBytes("k4.bin"), "");
  engine.CleanUpEngine();
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

}  // namespace
}  // namespace ostrel::engine
