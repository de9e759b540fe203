#include "engine/work_files.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "engine_fixture.h"

namespace ostrel::engine {
namespace {

class WorkFilesTest : public EngineTest {};

TEST_F(WorkFilesTest, EveryWorkFileIsPrivate) {
  Load("123456789123456789");
  std::string text = "x";
  engine.EncryptText(text);
  for (const char* name : {"k1.bin", "k1.brs", "k1.bcr", "k2.bin", "k3.bin", "k4.bin", "k5.bin", "k6.dat"}) {
    struct stat status {};
    ASSERT_EQ(::stat((folder / name).c_str(), &status), 0) << name;
    EXPECT_EQ(status.st_mode & 0777, 0600u) << name;
  }
}

TEST(WorkFileFormatTest, StepsAndCountsReadLenientlyButShortFilesAreRefused) {
  std::string text = " 3 \r\n0\r\n-2\r\nword\r\n 7 \r\n2.5\r\n3.5\n";
  for (int i = 0; i < 13; ++i) text += " 4 \r\n";
  const PositionValues expected = {3, 1, 1, 1, 7, 2, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4};  // never below 1
  EXPECT_EQ(ParseSteps(text), expected);
  EXPECT_FALSE(ParseSteps(" 3 \r\n 3 \r\n"));
  EXPECT_FALSE(ParseSteps(""));
  const auto counts = ParseCounts(" 20  2 \r\n");
  ASSERT_TRUE(counts);
  EXPECT_EQ(counts->wheelCount, 20);
  EXPECT_EQ(counts->passCount, 2);
  EXPECT_FALSE(ParseCounts(" 20 \r\n"));
  EXPECT_FALSE(ParseCounts(""));
}

TEST(WorkFileFormatTest, WheelRecordsMustBeTwentyPermutations) {
  std::string bytes;
  for (int r = 0; r < 20; ++r) {
    for (int k = 0; k < 256; ++k) bytes += static_cast<char>((k + r) % 256);
  }
  EXPECT_TRUE(ParseWheelRecords(bytes));
  EXPECT_FALSE(ParseWheelRecords(bytes.substr(0, bytes.size() - 1)));
  bytes[300] = bytes[301];
  EXPECT_FALSE(ParseWheelRecords(bytes));
}

}  // namespace
}  // namespace ostrel::engine
