#include <gtest/gtest.h>

#include "engine/work_files.h"
#include "engine_fixture.h"

namespace ostrel::engine {
namespace {

class PrepareEngineTest : public EngineTest {};

TEST_F(PrepareEngineTest, EmptyFolderGivesDefaultsAndEmptySettingsFiles) {
  engine.PrepareEngine();
  EXPECT_EQ(engine.DirectionFlags(), (PositionValues{0, 1, 1, 0, 1, 0, 0, 1, 1, 1, 0, 0, 1, 1, 0, 0, 1, 0, 1, 0}));
  EXPECT_EQ(engine.SettingValues(), (PositionValues{2, 2, 5, 3, 4, 7, 3, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2}));
  PositionValues ones{};
  ones.fill(1);
  EXPECT_EQ(engine.Steps(), ones);
  EXPECT_EQ(testing::ReadBytes(folder / "k3.bin"), "");
  EXPECT_EQ(testing::ReadBytes(folder / "k4.bin"), "");
  EXPECT_TRUE(WorkExists("k3.bin") && WorkExists("k4.bin"));
  EXPECT_EQ(engine.PeriodIndex(), 1);
  EXPECT_EQ(engine.OrderCounter(), 0);
}

TEST_F(PrepareEngineTest, ShortSettingsOrStepsFileIsReportedButDoesNotStopAKeyLoad) {
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

TEST_F(PrepareEngineTest, OnlyAnUpperCaseDTurnsAWheelRight) {
  std::string record = "dD U" + std::string(16, 'U');
  for (int value = 0; value < 20; ++value) record += std::string("\x00\x00\x40\x40", 4);  // 3.0f
  testing::WriteBytes(folder / "k3.bin", record);
  engine.PrepareEngine();
  EXPECT_EQ(engine.DirectionFlags(), (PositionValues{1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
  PositionValues threes{};
  threes.fill(3);
  EXPECT_EQ(engine.SettingValues(), threes);
}

}  // namespace
}  // namespace ostrel::engine
