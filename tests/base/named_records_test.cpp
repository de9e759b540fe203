#include "base/named_records.h"

#include "base_fixture.h"

namespace ostrel::base {
namespace {

// Records of a 4-byte name and a 6-byte value.
class NamedRecordsTest : public BaseTest {
 protected:
  NamedRecordFile file_{folder / "named.dat", 4, 6};
};

TEST_F(NamedRecordsTest, AppendPadsOrCutsBothFieldsWhichReadAllTrims) {
  EXPECT_TRUE(file_.ReadAll().empty());
  EXPECT_EQ(ReadBytes(folder / "named.dat"), "") << "reading a missing file creates it";
  file_.Append("ann", "a@b");
  file_.Append("bob", "value-cut");
  EXPECT_EQ(ReadBytes(folder / "named.dat"), "ann a@b   bob value-");
  EXPECT_EQ(file_.ReadAll(), (std::vector<NamedRecord>{{"ann", "a@b"}, {"bob", "value-"}}));
}

// Three records, two of them named "x".
class RepeatedNameTest : public NamedRecordsTest {
 protected:
  void SetUp() override {
    file_.Append("x", "1");
    file_.Append("y", "2");
    file_.Append("x", "3");
  }
};

TEST_F(RepeatedNameTest, FindGivesTheFirstOfTheExactName) {
  EXPECT_EQ(file_.Find("x"), "1");
  EXPECT_EQ(file_.Find("x "), std::nullopt);
  EXPECT_EQ(file_.Find("X"), std::nullopt);
}

TEST_F(RepeatedNameTest, ReplaceTakesTheFirstOrTheLastOfTheName) {
  EXPECT_FALSE(file_.Replace("z", "none", NamedRecordFile::Which::First));
  EXPECT_EQ(ReadBytes(folder / "named.dat"), "x   1     y   2     x   3     ") << "an unknown name changes nothing";
  EXPECT_TRUE(file_.Replace("x", "first", NamedRecordFile::Which::First));
  EXPECT_TRUE(file_.Replace("x", "last", NamedRecordFile::Which::Last));
  EXPECT_EQ(ReadBytes(folder / "named.dat"), "x   first y   2     x   last  ");
}

TEST_F(RepeatedNameTest, RemoveAllTakesEveryRecordOfTheName) {
  EXPECT_EQ(file_.RemoveAll("x"), (std::vector<NamedRecord>{{"x", "1"}, {"x", "3"}}));
  EXPECT_EQ(ReadBytes(folder / "named.dat"), "y   2     ");
  EXPECT_TRUE(file_.RemoveAll("x").empty());
}

}  // namespace
}  // namespace ostrel::base
