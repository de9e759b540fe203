// The compose window's work: the texts it opens with, the signature rules,
// the cipher buttons and what "Send" queues.
#include "mail/compose.h"

#include <gtest/gtest.h>

#include "base/fixed_records.h"
#include "mail/sending_fixture.h"
#include "store/mail_box.h"
#include "support/temp_folder.h"

namespace ostrel::mail {
namespace {

class Compose : public SendingFixture {
 protected:
  void SetSignature(const std::string& fileBytes) { testing::WriteBytes(store_ / "sig.cur", fileBytes); }

  bool Queue(ComposeForm& form) { return QueueMessage(installation_, form, dialogs_); }
};

TEST_F(Compose, OpensEachModeWithItsTexts) {
  struct Case {
    store::ComposeMode mode;
    const char* to;
    const char* subject;
    const char* message;
  };
  const Case cases[] = {
      {store::ComposeMode::New, "", "", ""},
      // Each reply adds its prefix without a blank.
      {store::ComposeMode::Reply, "bob@example.test", "RE:RE:Plans", "<first line\r\n<second line"},
      {store::ComposeMode::Forward, "", "Fwd:RE:Plans", "first line\r\nsecond line"},
  };
  installation_.Selection.SelectedFrom = "bob@example.test";
  installation_.Selection.SelectedSubject = "RE:Plans";
  installation_.Compose.MessageEncrypted = true;
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    installation_.Compose.ComposeMode = c.mode;
    const ComposeForm form = OpenCompose(installation_, "first line\r\nsecond line");
    EXPECT_EQ(form.to, c.to);
    EXPECT_EQ(form.subject, c.subject);
    EXPECT_EQ(form.message, c.message);
    EXPECT_FALSE(form.cipherEnabled) << "no key is loaded";
  }
  EXPECT_FALSE(installation_.Compose.MessageEncrypted) << "a new message starts in plain text";
}

TEST_F(Compose, SignatureIsAppendedAtOpeningAndTickedByTheOption) {
  SetSignature("Alice\r\nExample Ltd\r\n");
  installation_.MailOptions.UseSignatures = true;
  installation_.Compose.ComposeMode = store::ComposeMode::Reply;
  const ComposeForm form = OpenCompose(installation_, "hi\r\nthere");
  EXPECT_EQ(form.signatureText, "\r\n\r\nAlice\r\nExample Ltd\r\n");
  EXPECT_TRUE(form.signatureShown);
  EXPECT_TRUE(form.useSignature);
  EXPECT_EQ(form.message, "<hi\r\n<there\r\n\r\nAlice\r\nExample Ltd\r\n");

  installation_.MailOptions.UseSignatures = false;
  installation_.Compose.ComposeMode = store::ComposeMode::New;
  const ComposeForm unticked = OpenCompose(installation_, "");
  EXPECT_FALSE(unticked.useSignature);
  EXPECT_EQ(unticked.message, "\r\n\r\nAlice\r\nExample Ltd\r\n") << "appended whether ticked or not";

  SetSignature("");
  const ComposeForm none = OpenCompose(installation_, "");
  EXPECT_FALSE(none.signatureShown);
  EXPECT_TRUE(none.signatureText.empty());
}

TEST_F(Compose, EncryptAddsTheSignatureOnceAndDecryptGivesTheTextBack) {
  LoadKey();
  SetSignature("Alice\r\n");
  installation_.MailOptions.UseSignatures = true;
  installation_.Compose.ComposeMode = store::ComposeMode::New;
  ComposeForm form = OpenCompose(installation_, "");
  EXPECT_TRUE(form.cipherEnabled);
  form.message = "Grüße, meet at noon";

  ASSERT_TRUE(PressEncrypt(installation_, form, dialogs_));
  const std::string hex = form.message;
  ComposeForm queued = form;
  queued.to = "bob@example.test";
  ASSERT_TRUE(Queue(queued));
  EXPECT_EQ(installation_.Compose.OutgoingBody, hex + "\r\n\r\n\r\n\r\nAlice\r\n")
      << "the signature block follows the cipher";
  EXPECT_TRUE(installation_.Compose.MessageEncrypted);
  ASSERT_TRUE(PressDecrypt(installation_, form, dialogs_));
  EXPECT_FALSE(installation_.Compose.MessageEncrypted);
  EXPECT_EQ(form.message, "Grüße, meet at noon\r\n\r\nAlice\r\n");

  // A second press enciphers the hex text, which lacks the signature, so the
  // signature is added to it once more before the cipher.
  ASSERT_TRUE(PressEncrypt(installation_, form, dialogs_));
  const std::string once = form.message;
  ASSERT_TRUE(PressEncrypt(installation_, form, dialogs_));
  ASSERT_TRUE(PressDecrypt(installation_, form, dialogs_));
  EXPECT_EQ(form.message, once + "\r\n\r\nAlice\r\n");
  EXPECT_TRUE(dialogs_.shown.empty());
}

TEST_F(Compose, CipherButtonsReportFailuresAndKeepTheText) {
  ComposeForm form;
  form.message = "plain";
  EXPECT_FALSE(PressEncrypt(installation_, form, dialogs_)) << "no key loaded";
  EXPECT_EQ(form.message, "plain");
  EXPECT_FALSE(installation_.Compose.MessageEncrypted);

  LoadKey();
  form.message = "not hex at all";
  EXPECT_FALSE(PressDecrypt(installation_, form, dialogs_));
  EXPECT_EQ(form.message, "not hex at all");
  EXPECT_EQ(dialogs_.shown.size(), 2u);
}

TEST_F(Compose, QueuesTheHeaderAndTheBodyWithOneLinePerAttachment) {
  ComposeForm form;
  form.to = AddToList(AddToList("", "bob@example.test"), "carol@example.test");
  form.subject = "Plans";
  form.message = "Text";
  form.attachments = AddToList(AddToList("", "/home/a/one.pdf"), "/tmp/two.bin");
  ASSERT_TRUE(Queue(form));
  EXPECT_EQ(installation_.Compose.OutgoingBody,
            "Text<ATTACHMENT /home/a/one.pdf>\r\n<ATTACHMENT /tmp/two.bin>\r\n");

  const store::MailBox out(folder_, "Out");
  ASSERT_EQ(out.Count(), 1u);
  const auto record = *out.Read(1);
  EXPECT_EQ(base::TrimBlanks(record.To), "bob@example.test;carol@example.test");
  EXPECT_EQ(base::TrimBlanks(record.From), "alice@example.test");
  EXPECT_EQ(base::TrimBlanks(record.Subject), "Plans");

  form.attachments = "/a;";
  ASSERT_TRUE(Queue(form));
  EXPECT_EQ(installation_.Compose.OutgoingBody, "Text<ATTACHMENT /a>\r\n<ATTACHMENT >\r\n")
      << "the empty last piece counts";
  EXPECT_EQ(out.Count(), 1u) << "a record left by an earlier run is removed before queueing";
}

TEST_F(Compose, SendAsksBeforeTheSameMessageGoesTwiceAndBeforePlainTextGoesWithAKeyLoaded) {
  installation_.Compose.ComposeMode = store::ComposeMode::New;
  struct Case {
    const char* name;
    bool keyLoaded;
    bool encrypted;           // MessageEncrypted
    std::string message;
    bool sentBefore;          // the same form went out last from this window
    std::vector<base::Answer> answers;
    std::vector<std::string_view> questions;
    bool goes;
  };
  const std::string hex = "0A1B2C3D\r\n";
  const Case cases[] = {
      {"no key, new message", false, false, "Hi", false, {}, {}, true},
      {"key, plain text, No", true, false, "Hi", false, {base::Answer::No}, {kSendInClear}, false},
      {"key, encrypted", true, true, hex, false, {}, {}, true},
      // A send clears MessageEncrypted; hex text still counts as encrypted.
      {"key, hex text sent before", true, false, hex, true, {base::Answer::Yes}, {kSendAgain}, true},
      {"sent before, then plain with a key", true, false, "Hi", true, {base::Answer::Yes, base::Answer::No},
       {kSendAgain, kSendInClear}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs_.asked.clear();
    dialogs_.answers.assign(c.answers.begin(), c.answers.end());
    if (c.keyLoaded && !installation_.Engine.KeyLoaded()) LoadKey();
    if (!c.keyLoaded) installation_.Engine.CleanUpEngine();
    ComposeForm form = OpenCompose(installation_, "");
    installation_.Compose.MessageEncrypted = c.encrypted;
    form.to = "bob@example.test";
    form.message = c.message;
    if (c.sentBefore) {
      EXPECT_EQ(SendFinished(form, {}), "The message was sent to bob@example.test.");
    }
    EXPECT_EQ(ConfirmSend(installation_, form, dialogs_), c.goes);
    std::vector<std::string_view> asked;
    for (const auto& box : dialogs_.asked) asked.push_back(box.text);
    EXPECT_EQ(asked, c.questions);
  }
}

TEST_F(Compose, PlainTextIsAskedAboutOnceAWindowAFailedSendIsNotRememberedAndAnEmptyToIsRefused) {
  LoadKey();
  installation_.Compose.ComposeMode = store::ComposeMode::New;
  ComposeForm form = OpenCompose(installation_, "");
  form.to = "bob@example.test";
  form.message = "Hi";
  dialogs_.answers = {base::Answer::Yes};
  EXPECT_TRUE(ConfirmSend(installation_, form, dialogs_));
  form.message = "Hi again";
  EXPECT_TRUE(ConfirmSend(installation_, form, dialogs_));
  EXPECT_EQ(dialogs_.asked.size(), 1u);
  EXPECT_EQ(SendFinished(form, base::Failure{"refused"}), "");
  EXPECT_TRUE(ConfirmSend(installation_, form, dialogs_));
  EXPECT_EQ(dialogs_.asked.size(), 1u);
  // An empty To box is left for Send to refuse, with no question first.
  form.to.clear();
  EXPECT_TRUE(ConfirmSend(installation_, form, dialogs_));
  EXPECT_FALSE(PressSend(installation_, form, smtp_, dialogs_, {}));
  EXPECT_EQ(dialogs_.asked.size(), 1u);
  EXPECT_EQ(dialogs_.ShownTexts(), (std::vector<std::string>{"Missing To Field."}));
  EXPECT_TRUE(smtp_.sent.empty());
  EXPECT_EQ(store::MailBox(folder_, "Sent").Count(), 0u);
}

}  // namespace
}  // namespace ostrel::mail
