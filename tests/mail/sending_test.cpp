// The sending window's work over the SMTP stand-in: the Sent copy, what the
// control is given, the enciphered attachments and the two events.
#include "mail/sending.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/fixed_records.h"
#include "mail/compose.h"
#include "mail/sending_fixture.h"
#include "store/mail_box.h"
#include "support/results.h"
#include "support/temp_folder.h"

namespace ostrel::mail {
namespace {

class Sending : public SendingFixture {
 protected:
  SendingProgress Recorded() {
    labels_.clear();
    return {[this](std::string_view text) { labels_.emplace_back(text); },
            [this](std::size_t done, std::size_t total) { enciphered_.emplace_back(done, total); }, nullptr};
  }

  bool Send(ComposeForm form) { return PressSend(installation_, form, smtp_, dialogs_, Recorded()); }

  ComposeForm Form(const std::string& message, const std::string& attachments = "") {
    ComposeForm form;
    form.to = "bob@example.test";
    form.subject = "Plans";
    form.message = message;
    form.attachments = attachments;
    return form;
  }

  std::vector<std::string> labels_;
  std::vector<std::pair<std::size_t, std::size_t>> enciphered_;
};

TEST_F(Sending, FilesTheSentCopyAndHandsTheFieldsAndPlainAttachmentsToTheControl) {
  for (int i = 0; i < 3; ++i) store::MailBox(folder_, "Sent").NextMessageName();
  EXPECT_TRUE(Send(Form("  Hello Bob  ", "/a/one.bin;/b/two.bin")));

  ASSERT_EQ(smtp_.sent.size(), 1u);
  const transport::SentMail& mail = smtp_.sent.front();
  EXPECT_EQ(mail.server, "smtp.example.test");
  EXPECT_EQ(mail.mail.recipient, "bob@example.test");
  EXPECT_EQ(mail.mail.sender, "alice@example.test");
  EXPECT_EQ(mail.mail.subject, "Plans");
  EXPECT_EQ(mail.mail.text, "Hello Bob");
  EXPECT_EQ(mail.mail.attachmentList, "/a/one.bin;/b/two.bin");
  EXPECT_EQ(mail.userName, "alice");
  EXPECT_EQ(mail.password, "secret");
  EXPECT_TRUE(enciphered_.empty());

  const store::MailBox sent(folder_, "Sent");
  ASSERT_EQ(sent.Count(), 1u);
  EXPECT_EQ(sent.Read(1)->MessageName(), "MSG4") << "the fourth message of the box";
  EXPECT_EQ(testing::ReadBytes(sent.TextPath("MSG4")),
            "  Hello Bob  <ATTACHMENT /a/one.bin>\r\n<ATTACHMENT /b/two.bin>\r\n\r\n");
  EXPECT_FALSE(std::filesystem::exists(sent.WebPath("MSG4")));
  EXPECT_EQ(labels_, (std::vector<std::string>{"", "Sending Msg To bob@example.test"}));
}

TEST_F(Sending, EncryptedAttachmentsGoAsEncipheredCopiesThatDoNotOverwriteEachOther) {
  LoadKey();
  std::filesystem::create_directories(store_ / "a");
  std::filesystem::create_directories(store_ / "b");
  testing::WriteBytes(store_ / "a/report.pdf", std::string("first\0bytes", 11));
  testing::WriteBytes(store_ / "b/report.pdf", "second");
  const std::string first = (store_ / "a/report.pdf").string();
  const std::string second = (store_ / "b/report.pdf").string();

  ComposeForm form = Form("secret", first + ";" + second);
  ASSERT_TRUE(PressEncrypt(installation_, form, dialogs_));
  ASSERT_TRUE(QueueMessage(installation_, form, dialogs_));
  ASSERT_EQ(testing::FailureOf(RunSending(installation_, smtp_, dialogs_, Recorded())), "");
  const std::string encFolder = (store_ / "Enc").string();
  EXPECT_EQ(smtp_.sent.at(0).mail.attachmentList,
            encFolder + "/report.pdf.enc;" + encFolder + "/report (2).pdf.enc");
  EXPECT_NE(testing::ReadBytes(store_ / "Enc/report.pdf.enc"), testing::ReadBytes(store_ / "Enc/report (2).pdf.enc"));
  installation_.Engine.DecryptFile(store_ / "Enc/report (2).pdf.enc", store_ / "back.pdf");
  EXPECT_EQ(testing::ReadBytes(store_ / "back.pdf"), "second");
  EXPECT_NE(std::find(labels_.begin(), labels_.end(), "Encrypting Attachment " + second), labels_.end());
  EXPECT_FALSE(installation_.Compose.MessageEncrypted) << "completion clears it";
  EXPECT_NE(testing::ReadBytes(store::MailBox(folder_, "Sent").TextPath("MSG1")).find("<ATTACHMENT " + first + ">"),
            std::string::npos)
      << "the Sent copy keeps the paths as chosen";

  ClearOutgoing(folder_);
  EXPECT_TRUE(std::filesystem::is_empty(store_ / "Enc"));
}

// A failed send is shown, keeps the Sent copy, the encrypted flag and the
// window's text, so that it can be sent again.
TEST_F(Sending, AFailureIsShownAndKeepsWhatIsNeededToSendAgain) {
  LoadKey();
  smtp_.FailWith("The server refused the login: check the user name and password.");
  ComposeForm form = Form("Hello");
  ASSERT_TRUE(PressEncrypt(installation_, form, dialogs_));
  EXPECT_FALSE(Send(form));
  EXPECT_EQ(dialogs_.ShownTexts(),
            (std::vector<std::string>{"The server refused the login: check the user name and password."}));
  EXPECT_TRUE(installation_.Compose.MessageEncrypted);
  EXPECT_EQ(store::MailBox(folder_, "Sent").Count(), 1u);
  EXPECT_FALSE(std::filesystem::exists(store_ / "out.dat"));

  form.attachments = (store_ / "gone.bin").string();
  EXPECT_FALSE(Send(form));
  EXPECT_EQ(smtp_.sent.size(), 1u) << "nothing goes out without its attachment";
  ASSERT_EQ(dialogs_.shown.size(), 2u);
  EXPECT_EQ(dialogs_.ShownTexts()[1].rfind("The attachment " + form.attachments + " could not be encrypted: ", 0), 0u)
      << dialogs_.ShownTexts()[1];
  EXPECT_EQ(store::MailBox(folder_, "Sent").Count(), 2u);
  EXPECT_TRUE(installation_.Compose.MessageEncrypted);
}

TEST_F(Sending, NothingQueuedIsAnErrorNotASend) {
  installation_.Compose.OutgoingBody = "stray";
  EXPECT_EQ(testing::FailureOf(RunSending(installation_, smtp_, dialogs_, {})),
            "There is no message waiting to be sent.");
  EXPECT_TRUE(smtp_.sent.empty());
  EXPECT_EQ(store::MailBox(folder_, "Sent").Count(), 0u);
}

}  // namespace
}  // namespace ostrel::mail
