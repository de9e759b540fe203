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

}  // namespace
}  // namespace ostrel::engine
