#include "engine/work_files.h"

#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace ostrel::engine {
namespace {

using WorkFilesTest = EngineTest;

TEST_F(WorkFilesTest, EveryWorkFileIsPrivate) {
  Load("123456789123456789");
  Encrypted("x");
  for (const char* name : kKeyspaceFiles) EXPECT_EQ(testing::FileMode(folder / name), 0600u) << name;
}

TEST(WorkFileFormatTest, StepsReadLenientlyNeverBelowOne) {
  std::string text = " 3 \r\n0\r\n-2\r\nword\r\n 7 \r\n2.5\r\n3.5\n";
  for (int i = 0; i < 13; ++i) text += " 4 \r\n";
  EXPECT_EQ(ParseSteps(text), (PositionValues{3, 1, 1, 1, 7, 2, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4}));
  EXPECT_FALSE(ParseSteps(" 3 \r\n 3 \r\n"));
  EXPECT_FALSE(ParseSteps(""));
}

TEST(WorkFileFormatTest, WheelRecordsMustBeTwentyPermutations) {
  std::string bytes;
  for (int k = 0; k < 20 * 256; ++k) bytes += static_cast<char>((k % 256 + k / 256) % 256);
  EXPECT_TRUE(ParseWheelRecords(bytes));
  EXPECT_FALSE(ParseWheelRecords(bytes.substr(0, bytes.size() - 1)));
  bytes[300] = bytes[301];
  EXPECT_FALSE(ParseWheelRecords(bytes));
}

TEST_F(WorkFilesTest, PreparingAnEmptyFolderGivesDefaultsAndEmptySettingsFiles) {
  engine.PrepareEngine();
  EXPECT_EQ(engine.DirectionFlags(), (PositionValues{0, 1, 1, 0, 1, 0, 0, 1, 1, 1, 0, 0, 1, 1, 0, 0, 1, 0, 1, 0}));
  EXPECT_EQ(engine.SettingValues(), (PositionValues{2, 2, 5, 3, 4, 7, 3, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2}));
  EXPECT_EQ(engine.Steps(), (PositionValues{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
  EXPECT_TRUE(WorkExists("k3.bin") && WorkExists("k4.bin"));
  EXPECT_EQ(WorkBytes("k3.bin") + WorkBytes("k4.bin"), "");
  EXPECT_EQ(engine.PeriodIndex(), 1);
  EXPECT_EQ(engine.OrderCounter(), 0);
}

TEST_F(WorkFilesTest, ShortSettingsOrStepsFileIsReportedButDoesNotStopAKeyLoad) {
  testing::WriteBytes(folder / "k3.bin", std::string(99, 'U'));
  EXPECT_THROW(engine.PrepareEngine(), EngineError);
  testing::WriteBytes(folder / "k3.bin", "");
  testing::WriteBytes(folder / "k4.bin", " 3 \r\n 4 \r\n");
  EXPECT_THROW(engine.PrepareEngine(), EngineError);
  testing::WriteBytes(folder / "k3.bin", "U");
  Load("123456789123456789");
  EXPECT_EQ(WorkBytes("k3.bin").size(), 100u);
  EXPECT_EQ(Decrypted(Encrypted("works")), "works");
}

TEST_F(WorkFilesTest, OnlyAnUpperCaseDTurnsAWheelRight) {
  std::string record = "dD U" + std::string(16, 'U');
  for (int value = 0; value < 20; ++value) record += std::string("\x00\x00\x40\x40", 4);  // 3.0f
  testing::WriteBytes(folder / "k3.bin", record);
  engine.PrepareEngine();
  EXPECT_EQ(engine.DirectionFlags(), (PositionValues{1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
  EXPECT_EQ(engine.SettingValues(), (PositionValues{3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3}));
}

}  // namespace
}  // namespace ostrel::engine
