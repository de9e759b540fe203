#include "base/named_records.h"

#include "base_fixture.h"

namespace ostrel::base {
namespace {

// Records of a 4-byte name and a 6-byte value; three of them, two named "x".
// Finding, appending and removing are the address book's and signatures' to
// test; only the address book's update takes the first of a repeated name.
class RepeatedNameTest : public BaseTest {
 protected:
  void SetUp() override {
    file_.Append("x", "1");
    file_.Append("y", "2");
    file_.Append("x", "3");
  }

  NamedRecordFile file_{folder / "named.dat", 4, 6};
};

TEST_F(RepeatedNameTest, ReplaceTakesTheFirstOrTheLastOfTheName) {
  EXPECT_FALSE(file_.Replace("z", "none", NamedRecordFile::Which::First));
  EXPECT_EQ(ReadBytes(folder / "named.dat"), "x   1     y   2     x   3     ") << "an unknown name changes nothing";
  EXPECT_TRUE(file_.Replace("x", "first", NamedRecordFile::Which::First));
  EXPECT_TRUE(file_.Replace("x", "last", NamedRecordFile::Which::Last));
  EXPECT_EQ(ReadBytes(folder / "named.dat"), "x   first y   2     x   last  ");
}

}  // namespace
}  // namespace ostrel::base
