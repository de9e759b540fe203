#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace ostrel::engine {
namespace {

const char* const kCleanedNames[] = {"k1.tcr", "k1.trs", "k1.bcr", "k1.brs", "k1.txt", "k1.bin", "k2.txt", "k2.bin",
                                     "k3.txt", "k3.bin", "k4.txt", "k4.bin", "k5.txt", "k5.bin", "k6.dat"};

using CleanUpTest = EngineTest;

// With the work files in the program folder or in a runtime folder of their
// own, no keyspace file outlives the clean-up and "Ostdec.dat" stays in the
// program folder.
TEST_F(CleanUpTest, AfterUseOnlyTheDecryptedListRemains) {
  for (const bool apart : {false, true}) {
    SCOPED_TRACE(apart ? "work folder apart" : "one folder");
    testing::TempFolder work;
    testing::TempFolder program;
    Engine used(apart ? work.Path() : program.Path(), program.Path());
    std::string key = "123456789123456789";
    used.LoadKey(key);
    testing::WriteBytes(program / "a.txt", "abc");
    used.EncryptFile(program / "a.txt", program / "a.enc");
    used.DecryptFile(program / "a.enc", program / "a.out");
    EXPECT_EQ(testing::ReadBytes(program / "a.out"), "abc");
    EXPECT_EQ(std::filesystem::exists(work / "k1.bin"), apart);
    EXPECT_FALSE(std::filesystem::exists(work / "Ostdec.dat"));
    const std::string list = testing::ReadBytes(program / "Ostdec.dat");
    EXPECT_NE(list.find((program / "a.out").string()), std::string::npos);
    used.CleanUpEngine();
    for (const char* name : kCleanedNames) {
      EXPECT_FALSE(std::filesystem::exists(work / name) || std::filesystem::exists(program / name)) << name;
    }
    EXPECT_EQ(testing::ReadBytes(program / "Ostdec.dat"), list);
    EXPECT_FALSE(used.KeyLoaded());
    std::string text = "after exit";
    EXPECT_THROW(used.EncryptText(text), EngineError);
  }
}

TEST_F(CleanUpTest, FillerReplacesTheKeyspaceBeforeDeletion) {
  Load("123456789123456789");
  testing::WriteBytes(folder / "k1.txt", std::string(10, 'k'));  // text set files from elsewhere
  testing::WriteBytes(folder / "k3.txt", std::string(150, 'k'));
  engine.OverwriteWorkFiles();
  std::string fillerLines;
  for (int i = 0; i < 20; ++i) fillerLines += "xxxxx\r\n";
  const std::string wheels(20 * 256, '@');
  const std::pair<const char*, std::string> filled[] = {
      {"k1.bin", wheels}, {"k1.brs", wheels}, {"k1.bcr", wheels}, {"k2.bin", " 0  0 \r\n"}, {"k2.txt", " 0  0 \r\n"},
      {"k3.bin", std::string(20, ' ') + std::string(80, '\0')}, {"k4.bin", fillerLines}, {"k5.bin", fillerLines},
      {"k6.dat", fillerLines}, {"k5.txt", fillerLines}, {"k4.txt", ""}, {"k1.tcr", ""}, {"k1.trs", ""},
      {"k1.txt", std::string(20 * 151, '@')},
      {"k3.txt", std::string(20, ' ') + std::string(80, '\0') + std::string(50, 'k')}};
  for (const auto& [name, bytes] : filled) EXPECT_EQ(WorkBytes(name), bytes) << name;
  engine.DeleteWorkFiles();
  for (const char* name : kCleanedNames) EXPECT_FALSE(WorkExists(name)) << name;
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
