// The POP3 stand-in must behave like a real server where the flows depend
// on it: deletions count only after an accepted QUIT.
#include "transport/fake_pop3_connection.h"

#include <gtest/gtest.h>

namespace ostrel::transport {
namespace {

FakePop3Connection Mailbox(int messages) {
  FakePop3Connection fake;
  for (int i = 1; i <= messages; ++i) fake.mailbox.push_back({"id" + std::to_string(i), "raw" + std::to_string(i)});
  return fake;
}

TEST(FakePop3Connection, DeletionsTakeEffectOnlyAtAnAcceptedQuit) {
  auto fake = Mailbox(3);
  fake.refuseDelete = {1};
  ASSERT_EQ(fake.Connect("server", "user", "password"), 0);
  EXPECT_EQ(fake.GetTotalOfMails(), 3);
  EXPECT_NE(fake.Delete(1), 0);
  EXPECT_EQ(fake.Delete(2), 0);
  EXPECT_EQ(fake.GetMsgId(2), "") << "a marked message is gone for the rest of the session";
  EXPECT_EQ(fake.mailbox.size(), 3u);
  EXPECT_TRUE(fake.Disconnect());
  ASSERT_EQ(fake.mailbox.size(), 2u);
  EXPECT_EQ(fake.mailbox[1].id, "id3");

  fake.refuseDelete.clear();
  fake.dropBeforeQuit = true;
  ASSERT_EQ(fake.Connect("server", "user", "password"), 0);
  EXPECT_EQ(fake.Delete(1), 0);
  EXPECT_FALSE(fake.Disconnect());
  EXPECT_EQ(fake.mailbox.size(), 2u) << "a lost QUIT deletes nothing";
}

TEST(FakePop3Connection, ADroppedLineKeepsEveryMessage) {
  auto fake = Mailbox(3);
  fake.dropAtRetrieve = 2;
  ASSERT_EQ(fake.Connect("server", "user", "password"), 0);
  EXPECT_EQ(fake.Retrieve(1), "raw1");
  EXPECT_EQ(fake.Delete(1), 0);
  EXPECT_EQ(fake.Retrieve(2), "");
  EXPECT_NE(fake.Delete(3), 0);
  EXPECT_FALSE(fake.Disconnect());
  EXPECT_EQ(fake.mailbox.size(), 3u);
  EXPECT_FALSE(fake.quitAccepted);
}

}  // namespace
}  // namespace ostrel::transport
