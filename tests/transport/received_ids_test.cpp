#include "transport/received_ids.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace ostrel::transport {
namespace {

TEST(ReceivedIds, EachAccountKeepsItsOwnIdentifiersAndKeepOnlyForgetsForThatAccountAlone) {
  testing::TempFolder folder;
  {
    ReceivedIds ann(folder.Path(), "pop.example.test", "ann");
    ann.Add("x1");
    ann.Add("x2");
    ReceivedIds(folder.Path(), "pop.example.test", "bob").Add("y1");
  }
  ReceivedIds ann(folder.Path(), "pop.example.test", "ann");
  EXPECT_TRUE(ann.Contains("x1"));
  EXPECT_TRUE(ann.Contains("x2"));
  EXPECT_FALSE(ReceivedIds(folder.Path(), "pop.example.test", "bob").Contains("x1"));
  EXPECT_FALSE(ReceivedIds(folder.Path(), "other.example.test", "ann").Contains("x1"));

  ann.KeepOnly({"x2", "new"});
  EXPECT_FALSE(ann.Contains("x1"));
  EXPECT_FALSE(ann.Contains("new")) << "only filed identifiers are kept";
  const ReceivedIds annAgain(folder.Path(), "pop.example.test", "ann");
  EXPECT_FALSE(annAgain.Contains("x1"));
  EXPECT_TRUE(annAgain.Contains("x2"));
  EXPECT_TRUE(ReceivedIds(folder.Path(), "pop.example.test", "bob").Contains("y1"));
  EXPECT_EQ(testing::ReadBytes(folder / kReceivedIdsFileName),
            "pop.example.test\tbob\ty1\r\npop.example.test\tann\tx2\r\n");
}

TEST(ReceivedIds, TabsAndLineBreaksInNamesCannotForgeLines) {
  testing::TempFolder folder;
  ReceivedIds sly(folder.Path(), "pop\texample", "ann\r\npop.example.test\tbob");
  sly.Add("x\r\n1");
  EXPECT_FALSE(ReceivedIds(folder.Path(), "pop.example.test", "bob").Contains("x"));
  EXPECT_EQ(testing::ReadBytes(folder / kReceivedIdsFileName), "pop example\tann  pop.example.test bob\tx  1\r\n");
}

}  // namespace
}  // namespace ostrel::transport
