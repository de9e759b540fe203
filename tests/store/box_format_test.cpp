// Box list records, index files and message names, byte for byte.

#include <gtest/gtest.h>

#include "store/box_index.h"
#include "store/box_record.h"
#include "store/mail_box.h"
#include "store/out_box.h"
#include "store_folder.h"

namespace ostrel::store {
namespace {

using testing::FolderContents;
using testing::ReadBytes;
using testing::StoreData;
using testing::WriteBytes;

class BoxFormatTest : public ::testing::Test {
 protected:
  testing::StoreFolder store;
};

TEST_F(BoxFormatTest, ReadsTheThreeRecordFixtureFieldByFieldAndWritesItBackByteForByte) {
  std::filesystem::copy_file(StoreData("inbox-three-records.dat"), store / "inbox.dat");
  const MailBox in(store.Folder(), "In");
  ASSERT_EQ(in.Count(), 3u);
  const BoxRecord third = *in.Read(3);
  EXPECT_EQ(third.To, "me@example.org" + std::string(66, ' '));
  EXPECT_EQ(base::TrimBlanks(third.From), "Ren\u00e9e <renee@example.org>");
  EXPECT_EQ(base::TrimBlanks(third.Subject), "Third \u2013 caf\u00e9");
  EXPECT_EQ(third.Date, "1/4/2026 11:45:10 PM          ");
  EXPECT_EQ(third.MessageName(), "MSG3");
  EXPECT_FALSE(in.Read(4).has_value());
  EXPECT_FALSE(in.Read(0).has_value());

  std::string rewritten;
  for (const auto& bytes : in.ReadAllBytes()) rewritten += BoxRecord::FromBytes(bytes).ToBytes();
  EXPECT_EQ(rewritten, ReadBytes(StoreData("inbox-three-records.dat")));
}

TEST_F(BoxFormatTest, UnknownBoxesAreRefused) {
  EXPECT_THROW(MailBox(store.Folder(), "inbox"), std::invalid_argument);
  EXPECT_THROW(MailBox(store.Folder(), ""), std::invalid_argument);
}

TEST_F(BoxFormatTest, GarbageMissingAndNegativeIndexesReadAsZero) {
  std::filesystem::copy_file(StoreData("index-garbage.dat"), store / "Junk" / "index.dat",
                             std::filesystem::copy_options::overwrite_existing);
  std::filesystem::remove(store / "Sent" / "index.dat");
  WriteBytes(store / "Trash" / "index.dat", "-7\r\n");
  WriteBytes(store / "In" / "index.dat", "  12,junk\r\n");
  for (const auto& [box, value] : {std::pair{"Junk", 0}, {"Sent", 0}, {"Trash", 0}, {"In", 12}}) {
    EXPECT_EQ(ReadBoxIndex(store / box), value) << box;
  }
  EXPECT_EQ(NextMessageName(store / "Junk"), "MSG1");
}

// The index is read as a double, exact up to 2^53 = 9007199254740992, and
// MsgFile holds 20 characters. A damaged index, or one past that, starts the
// numbers again at 1, passing over the names still in use, so that a record
// always leads to its files.
TEST(BoxIndexTest, TheNextNameFollowsTheIndexAndPassesOverNamesInUse) {
  struct Case {
    std::string index;
    std::string name;  // of the next message, whose number the index then holds
  };
  const Case cases[] = {
      {ReadBytes(StoreData("index-41.dat")), "MSG42"},
      {" 32767\r\n", "MSG32768"},  // In and Junk numbers go past 16-bit limits
      {" 99999999999\r\n", "MSG100000000000"},
      {"garbage\r\n", "MSG2"},  // MSG1 is in use
      {" 9007199254740991\r\n", "MSG9007199254740992"},  // the largest
      {" 9007199254740992\r\n", "MSG2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    testing::StoreFolder store;
    store.AddMessages("In", {"kept"});
    WriteBytes(store / "In" / "index.dat", c.index);
    EXPECT_EQ(store.AddMessage("In", "new", "new\r\n"), c.name);
    EXPECT_EQ(store.Records("In").back().MessageName(), c.name);
    EXPECT_EQ(store.Files("In"), (FolderContents{{"MSG1.txt", "kept\r\n"}, {c.name + ".txt", "new\r\n"},
                                                 {"index.dat", " " + c.name.substr(3) + "\r\n"}}));
  }
}

TEST_F(BoxFormatTest, ARecordOfTheOutBoxLeftByAnInterruptedRunIsRemoved) {
  MailBox(store.Folder(), "Out").Append(BoxRecord{"friend@example.org", "me", "stale", "", ""});
  ClearOutBox(store.Folder());
  EXPECT_EQ(ReadBytes(store / "out.dat"), "");
}

}  // namespace
}  // namespace ostrel::store
