#include <gtest/gtest.h>

#include "engine/work_files.h"
#include "engine_fixture.h"

namespace ostrel::engine {
namespace {

class PrepareEngineTest : public EngineTest {};

TEST_F(PrepareEngineTest, EmptyFolderGivesDefaultsAndEmptySettingsFiles) {
  engine.PrepareEngine();
  EXPECT_EQ(engine.DirectionFlags(), kDefaultDirectionFlags);
  EXPECT_EQ(engine.SettingValues(), kDefaultSettingValues);
  PositionValues ones{};
  ones.fill(1);
  EXPECT_EQ(engine.Steps(), ones);
  ASSERT_TRUE(WorkExists("k3.bin"));
  ASSERT_TRUE(WorkExists("k4.bin"));
  EXPECT_EQ(WorkBytes("k3.bin"), "");
  EXPECT_EQ(WorkBytes("k4.bin"), "");
  EXPECT_EQ(engine.PeriodIndex(), 1);
  EXPECT_EQ(engine.OrderCounter(), 0);
}

TEST_F(PrepareEngineTest, ShortSettingsOrStepsFileIsReportedNotGuessed) {
  testing::WriteBytes(folder / "k3.bin", std::string(99, 'U'));
  EXPECT_THROW(engine.PrepareEngine(), EngineError);
  testing::WriteBytes(folder / "k3.bin", "");
  testing::WriteBytes(folder / "k4.bin", " 3 \r\n 4 \r\n");
  EXPECT_THROW(engine.PrepareEngine(), EngineError);
}

TEST_F(PrepareEngineTest, DamagedFilesOfAnEarlierKeyDoNotStopAKeyLoad) {
  testing::WriteBytes(folder / "k3.bin", "U");
  testing::WriteBytes(folder / "k4.bin", " 3 \r\n");
  Load("123456789123456789");
  EXPECT_EQ(WorkBytes("k3.bin").size(), 100u);
  std::string text = "works";
  engine.EncryptText(text);
  engine.DecryptText(text);
  EXPECT_EQ(text, "works");
}

}  // namespace
}  // namespace ostrel::engine
