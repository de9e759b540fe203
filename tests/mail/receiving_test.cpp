// Receiving over the POP3 stand-in: what is filed where, what the person is
// told, and that nothing is lost or filed twice when the line or the server
// misbehaves.
#include "mail/receiving.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

#include "base/fixed_records.h"
#include "keys/key_store.h"
#include "mail/sending_fixture.h"
#include "store/mail_box.h"
#include "support/results.h"
#include "support/temp_folder.h"
#include "transport/fake_pop3_connection.h"
#include "transport/outgoing_mail.h"

namespace ostrel::mail {
namespace {

std::string Raw(const std::string& subject, const std::string& text, const std::string& attachments = "") {
  const transport::OutgoingMail mail{"bob@example.test", "alice@example.test", subject, text, attachments};
  return testing::ValueOf(transport::BuildMessage(mail)).bytes;
}

class Receiving : public SendingFixture {
 protected:
  Receiving() {
    installation_.MailOptions.PopServer = "pop.example.test";
    installation_.MailOptions.UserName = "user";
    installation_.MailOptions.Password = "password";
  }

  void AddMail(const std::string& id, const std::string& raw) { server_.mailbox.push_back({id, raw}); }
  void AddMails(int count) {
    for (int i = 1; i <= count; ++i) AddMail("id" + std::to_string(i), Raw("m" + std::to_string(i), "t"));
  }

  // True when the check reported no failure.
  bool Check() {
    StartRetrieval(installation_, dialogs_, nullptr);
    dialogs_.shown.clear();
    labels_.clear();
    return Retrieve(installation_, server_, dialogs_,
                    [this](std::string_view text) { labels_.emplace_back(text); });
  }

  transport::FakePop3Connection server_;
  std::vector<std::string> labels_;
};

TEST_F(Receiving, FilesEachNewMessageOnceWithItsFieldsAndFiles) {
  AddMail("a", Raw("First", "8F3A\r\nB2C4"));
  AddMail("b", Raw("Grüße", "zwei"));
  EXPECT_TRUE(Check());
  EXPECT_EQ(store_.Subjects("In"), (std::vector<std::string>{"First", "Grüße"}));
  const store::MailBox in(folder_, "In");
  const auto record = *in.Read(1);
  EXPECT_EQ(base::TrimBlanks(record.To), "bob@example.test");
  EXPECT_EQ(base::TrimBlanks(record.From), "alice@example.test");
  // The body as it arrived (with its last line break), then CR LF.
  EXPECT_EQ(testing::ReadBytes(in.TextPath("MSG1")), "8F3A\r\nB2C4\r\n\r\n");
  EXPECT_EQ(testing::ReadBytes(in.WebPath("MSG1")), "\r\n") << "a plain message has an empty web file";
  EXPECT_EQ(testing::ReadBytes(in.TextPath("MSG2")), "zwei\r\n\r\n");

  EXPECT_EQ(labels_, (std::vector<std::string>{"Downloading 1 of 2", "Downloading 2 of 2", "Disconnecting..."}));
  EXPECT_EQ(CheckMailSummary(installation_), " 2 New Messages. 2 registered, 0 attachments and 0 registered as Junk.");
  EXPECT_EQ(server_.mailbox.size(), 2u) << "nothing is deleted unless asked";

  AddMail("c", Raw("Third", "drei"));
  Check();
  EXPECT_EQ(store_.Subjects("In"), (std::vector<std::string>{"First", "Grüße", "Third"}));
  EXPECT_EQ(CheckMailSummary(installation_), "1 New Message. 1 registered, 0 attachments and 0 registered as Junk.");
  Check();
  EXPECT_EQ(CheckMailSummary(installation_), "No New Messages.");
  EXPECT_EQ(store_.Subjects("In").size(), 3u);
}

TEST_F(Receiving, FilterWordsSendJunkToTheJunkBoxWithoutItsAttachments) {
  testing::WriteBytes(store_ / "filter.dat", "win\r\n");
  installation_.MailOptions.UseFilters = true;
  testing::WriteBytes(store_ / "a.bin", "attached");
  AddMail("a", Raw("W.I.N. a prize", "click", (store_ / "a.bin").string()));
  AddMail("b", Raw("Report", "figures", (store_ / "a.bin").string()));
  Check();
  EXPECT_EQ(store_.Subjects("Junk"), (std::vector<std::string>{"W.I.N. a prize"}));
  EXPECT_EQ(store_.Subjects("In"), (std::vector<std::string>{"Report"}));
  EXPECT_EQ(installation_.MailCheck.JunkCount, 1);
  EXPECT_EQ(installation_.MailCheck.AttachmentCount, 1);
  EXPECT_EQ(testing::ReadBytes(store_ / "Save" / "a.bin"), "attached");

  installation_.MailOptions.UseFilters = false;
  AddMail("c", Raw("You win", "x"));
  Check();
  EXPECT_EQ(store_.Subjects("In").back(), "You win");
}

TEST_F(Receiving, AFailedDeleteOrALostQuitIsNotFiledAgainAndIsDeletedNextTime) {
  installation_.MailOptions.DeleteOnServer = true;
  AddMails(2);
  server_.refuseDelete = {1};
  EXPECT_FALSE(Check());
  EXPECT_EQ(dialogs_.ShownTexts(), (std::vector<std::string>{"Error with Delete."}));
  server_.refuseDelete.clear();
  server_.dropBeforeQuit = true;
  AddMail("id3", Raw("m3", "t"));
  EXPECT_FALSE(Check());
  EXPECT_EQ(dialogs_.ShownTexts(), (std::vector<std::string>{std::string(kDeletionsNotConfirmed)}));
  server_.dropBeforeQuit = false;
  EXPECT_TRUE(Check());
  EXPECT_EQ(store_.Subjects("In"), (std::vector<std::string>{"m1", "m2", "m3"}));
  EXPECT_TRUE(server_.mailbox.empty()) << "filed before, deleted now";
}

TEST_F(Receiving, AStopAfterTwoMessagesKeepsThemFiledDeletesNothingAndFetchesTheRestNextTime) {
  installation_.MailOptions.DeleteOnServer = true;
  AddMails(4);
  std::atomic<bool> stop = false;
  RetrieveControl control;
  control.cancelled = &stop;
  control.progress = [&](std::int64_t done, std::int64_t) { stop = done == 2; };
  EXPECT_TRUE(Retrieve(installation_, server_, dialogs_,
                       [this](std::string_view text) { labels_.emplace_back(text); }, control));

  EXPECT_EQ(store_.Subjects("In"), (std::vector<std::string>{"m1", "m2"}));
  EXPECT_EQ(server_.retrieved, (std::vector<int>{1, 2}));
  EXPECT_TRUE(server_.deleteRequests.empty());
  EXPECT_TRUE(server_.quitAccepted) << "the session still ends properly";
  EXPECT_TRUE(dialogs_.shown.empty()) << "a stop the person asked for is no failure";

  Check();
  EXPECT_EQ(store_.Subjects("In"), (std::vector<std::string>{"m1", "m2", "m3", "m4"}));
  EXPECT_TRUE(server_.mailbox.empty());
}

// A message that cannot be filed stops the check before anything is deleted
// on the server: the messages stay there for a check that can file them.
TEST_F(Receiving, AFilingFailureFilesNothingDeletesNothingAndSaysWhy) {
  installation_.MailOptions.DeleteOnServer = true;
  AddMails(3);
  // The In box's folder is a plain file, so nothing can be written into it
  // (a full disk would fail the same way; permissions do not stop root).
  std::filesystem::remove_all(store_ / "In");
  testing::WriteBytes(store_ / "In", "not a folder");

  EXPECT_FALSE(Check());
  EXPECT_TRUE(store_.Subjects("In").empty());
  EXPECT_EQ(server_.retrieved, (std::vector<int>{1})) << "no message after the one that failed";
  EXPECT_TRUE(server_.deleteRequests.empty());
  ASSERT_EQ(dialogs_.ShownTexts().size(), 1u);
  const std::string said = dialogs_.ShownTexts()[0];
  const std::string heading = "The message could not be filed.\r\n\r\n";
  EXPECT_EQ(said.substr(0, heading.size()), heading) << said;
  EXPECT_GT(said.size(), heading.size()) << "the reason follows";

  std::filesystem::remove(store_ / "In");
  std::filesystem::create_directory(store_ / "In");
  EXPECT_TRUE(Check());
  EXPECT_EQ(store_.Subjects("In"), (std::vector<std::string>{"m1", "m2", "m3"}));
  EXPECT_TRUE(server_.mailbox.empty());
}

// A check that ends before anything is filed says where it ended and why. The
// count a server claims makes nothing of that size: a claim no mailbox could
// hold is called what it is, and a claim the listing does not bear out ends
// the check at the first message missing.
TEST_F(Receiving, AnEarlyEndSaysWhyAndFilesAndDeletesNothing) {
  installation_.MailOptions.DeleteOnServer = true;
  AddMails(2);
  struct Case {
    const char* password;
    int claimed;
    std::string said;
  };
  const Case cases[] = {
      {"wrong", -1, "error with connecting server\r\n\r\n"
                    "The mail server refused the login: check the user name and password."},
      // A count that once sized memory and ended the check in std::bad_alloc.
      {"password", 2000000000, "error with GetTotalOfMails\r\n\r\n"
                    "The mail server's answer is not believable: it reports 2000000000 messages waiting."},
      {"password", transport::kMostMessages,
       "error with GetMsgSize\r\n\r\nThe mail server refused the command: no such message."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.said);
    installation_.MailOptions.Password = c.password;
    server_.claimedTotal = c.claimed;
    EXPECT_FALSE(Check());
    EXPECT_EQ(dialogs_.ShownTexts(), (std::vector<std::string>{c.said}));
    EXPECT_TRUE(server_.deleteRequests.empty());
    EXPECT_TRUE(store_.Subjects("In").empty());
    EXPECT_EQ(CheckMailSummary(installation_), "No New Messages.");
    EXPECT_EQ(labels_.back(), "Disconnecting...");
  }
}

TEST_F(Receiving, CheckMailWithoutADefaultKeyFetchesNothing) {
  AddMail("a", Raw("one", "t"));
  EXPECT_EQ(CheckMail(installation_, server_, dialogs_, nullptr), std::nullopt);
  EXPECT_EQ(dialogs_.ShownTexts(), (std::vector<std::string>{std::string(kNoDefaultKey)}));
  EXPECT_EQ(server_.connects, 0);
}

// The mail check deciphers attachments under the default key, shows the In
// box and leaves the key chosen before it loaded again.
TEST_F(Receiving, CheckMailDecryptsWithTheDefaultKeyAndLoadsTheChosenKeyAgain) {
  keys::WriteKeys(folder_, {{"default", "123456789012345678", true}, {"chosen", "987654321098765432", false}});
  LoadKey("123456789012345678");
  testing::WriteBytes(store_ / "plain.bin", std::string("secret bytes\0\xff", 14));
  installation_.Engine.EncryptFile(store_ / "plain.bin", store_ / "plain.bin.enc");
  AddMail("a", Raw("files", "8F3A", (store_ / "plain.bin.enc").string()));
  LoadKey("987654321098765432");

  ASSERT_TRUE(CheckMail(installation_, server_, dialogs_, nullptr).has_value());
  EXPECT_EQ(installation_.Selection.CurrentBox, store::BoxName::In);
  EXPECT_EQ(installation_.MailCheck.DecryptedCount, 1);
  EXPECT_EQ(testing::ReadBytes(store_ / "Dec" / "plain.bin"), std::string("secret bytes\0\xff", 14));
  EXPECT_FALSE(std::filesystem::exists(store_ / "Save" / "plain.bin.enc"));
  EXPECT_EQ(CheckMailSummary(installation_),
            "1 New Message. 1 registered, 1 attachments (1 decrypted) and 0 registered as Junk.");
  EXPECT_EQ(installation_.CurrentKey, "987654321098765432");
}

}  // namespace
}  // namespace ostrel::mail
