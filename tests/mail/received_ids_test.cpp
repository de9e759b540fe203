#include "mail/received_ids.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace ostrel::mail {
namespace {

void Remember(const ReceivedIds& ids, const std::vector<std::string>& identifiers,
              const std::filesystem::path& folder) {
  std::vector<std::string> lines;
  for (const auto& id : identifiers) lines.push_back(ids.LineOf(id));
  store::AppendReceivedLines(folder, lines);
}

TEST(ReceivedIds, EachAccountKeepsItsOwnIdentifiersAndKeepOnlyForgetsForThatAccountAlone) {
  testing::TempFolder folder;
  Remember(ReceivedIds(folder.Path(), "pop.example.test", "ann"), {"x1", "x2"}, folder.Path());
  Remember(ReceivedIds(folder.Path(), "pop.example.test", "bob"), {"y1"}, folder.Path());
  ReceivedIds ann(folder.Path(), "pop.example.test", "ann");
  EXPECT_TRUE(ann.Contains("x1"));
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
            "pop.example.test\tann\tx2\r\npop.example.test\tbob\ty1\r\n");
}

// Another run may have remembered messages since this one read the file:
// KeepOnly keeps what the file holds then, not what this run saw.
TEST(ReceivedIds, KeepOnlyWorksOnTheFileAsItIsNow) {
  testing::TempFolder folder;
  ReceivedIds early(folder.Path(), "pop.example.test", "ann");
  Remember(early, {"x1", "x2"}, folder.Path());
  early.KeepOnly({"x2"});
  EXPECT_TRUE(early.Contains("x2"));
  EXPECT_EQ(testing::ReadBytes(folder / kReceivedIdsFileName), "pop.example.test\tann\tx2\r\n");
}

TEST(ReceivedIds, TabsAndLineBreaksInNamesCannotForgeLines) {
  testing::TempFolder folder;
  ReceivedIds sly(folder.Path(), "pop\texample", "ann\r\npop.example.test\tbob");
  EXPECT_EQ(sly.LineOf("x\r\n1"), "pop example\tann  pop.example.test bob\tx  1");
  Remember(sly, {"x\r\n1"}, folder.Path());
  EXPECT_FALSE(ReceivedIds(folder.Path(), "pop.example.test", "bob").Contains("x"));
  EXPECT_TRUE(ReceivedIds(folder.Path(), "pop\texample", "ann\r\npop.example.test\tbob").Contains("x\r\n1"));
}

// A kill can cut an append short: the piece left ("id1" of "id12") names no
// message, and the next append does not run on from it.
TEST(ReceivedIds, ALineCutShortIsNoIdentifierAndIsCutOffBeforeTheNext) {
  testing::TempFolder folder;
  testing::WriteBytes(folder / kReceivedIdsFileName, "pop\tann\tid7\r\npop\tann\tid1");
  const ReceivedIds ann(folder.Path(), "pop", "ann");
  EXPECT_TRUE(ann.Contains("id7"));
  EXPECT_FALSE(ann.Contains("id1"));
  Remember(ann, {"id12"}, folder.Path());
  EXPECT_EQ(testing::ReadBytes(folder / kReceivedIdsFileName), "pop\tann\tid7\r\npop\tann\tid12\r\n");
}

}  // namespace
}  // namespace ostrel::mail
