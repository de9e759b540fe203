#include "transport/outgoing_mail.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "support/results.h"
#include "support/temp_folder.h"
#include "transport/mail_servers.h"
#include "transport/received_message.h"

namespace ostrel::transport {
namespace {

using testing::BinaryBytes;
using testing::FailureOf;

BuiltMessage Built(const OutgoingMail& mail) { return testing::ValueOf(BuildMessage(mail)); }

// The header lines, each starting with CR LF, so that "\r\nName:" finds a
// header only at the start of a line.
std::string HeaderBlock(const std::string& bytes) {
  return "\r\n" + bytes.substr(0, bytes.find("\r\n\r\n") + 2);
}

unsigned ByteSum(const std::string& bytes) {
  unsigned sum = 0;
  for (const char c : bytes) sum = (sum + static_cast<unsigned char>(c)) % 65521u;
  return sum;
}

TEST(OutgoingMail, PlainMessageParsesBackWithItsFieldsAndEveryRecipient) {
  OutgoingMail mail{" bob@example.test; Carol <carol@example.test> ;; ", "alice@example.test", "Grüße – hello",
                    "Line one\r\nLine two", ""};
  const auto built = Built(mail);
  EXPECT_EQ(built.envelopeSender, "alice@example.test");
  EXPECT_EQ(built.envelopeRecipients, (std::vector<std::string>{"bob@example.test", "carol@example.test"}));

  EXPECT_NE(HeaderBlock(built.bytes).find("Subject: =?"), std::string::npos) << "a non-ASCII subject is encoded";
  for (size_t i = 0; i < built.bytes.size(); ++i) {
    if (built.bytes[i] == '\n') {
      ASSERT_TRUE(i > 0 && built.bytes[i - 1] == '\r') << "a bare LF at " << i;
    }
  }

  ReceivedMessage back;
  back.Load(built.bytes);
  EXPECT_EQ(back.Subject(), "Grüße – hello");
  EXPECT_EQ(back.Sender(), "alice@example.test");
  EXPECT_EQ(back.Recipient(1), "bob@example.test");
  EXPECT_EQ(back.Recipient(2), "Carol <carol@example.test>");
  EXPECT_EQ(back.TextBody(), "Line one\r\nLine two\r\n");
  EXPECT_EQ(back.AttachmentCount(), 0);
}

TEST(OutgoingMail, LineBreaksInSubjectOrRecipientNeverStartAHeaderLine) {
  OutgoingMail mail{"bob@example.test\r\nBcc: eve@example.test", "alice@example.test",
                    "Hi\r\nBcc: eve@example.test\nX-Evil: 1", "text", ""};
  if (const auto built = BuildMessage(mail)) {
    const std::string header = HeaderBlock(built->bytes);
    EXPECT_EQ(header.find("\r\nBcc:"), std::string::npos);
    EXPECT_EQ(header.find("\r\nX-Evil:"), std::string::npos);
    for (const auto& address : built->envelopeRecipients) EXPECT_NE(address, "eve@example.test");
  }

  OutgoingMail subjectOnly{"bob@example.test", "alice@example.test", "Hi\r\nBcc: eve@example.test",
                           "text", ""};
  const auto built = Built(subjectOnly);
  EXPECT_EQ(HeaderBlock(built.bytes).find("\r\nBcc:"), std::string::npos);
  ReceivedMessage back;
  back.Load(built.bytes);
  EXPECT_EQ(back.Subject(), "Hi  Bcc: eve@example.test");
}

TEST(OutgoingMail, RefusesWhatIsNotAnAddressAndAMissingAttachment) {
  struct Case {
    const char* recipient;
    std::string error;
  };
  const Case cases[] = {
      {"", "No recipient has been given."},
      {" ; ", "No recipient has been given."},
      {"not an address", "\"not an address\" is not a valid e-mail address."},
      {"bob@", "\"bob@\" is not a valid e-mail address."},
      {"a@b@c", "\"a@b@c\" is not a valid e-mail address."},
      {"<bob@example.test> x>", "\"<bob@example.test> x>\" is not a valid e-mail address."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.recipient);
    EXPECT_EQ(FailureOf(BuildMessage({c.recipient, "alice@example.test", "s", "t", ""})), c.error);
    EXPECT_EQ(FailureOf(EnvelopeRecipients(c.recipient)), c.error);
  }
  EXPECT_EQ(FailureOf(BuildMessage({"bob@example.test", "", "s", "t", ""})),
            "The sender \"\" is not one valid e-mail address.");
  EXPECT_EQ(FailureOf(BuildMessage({"bob@example.test", "alice@example.test", "s", "t", "/no/such/file.enc"})),
            "The attachment \"/no/such/file.enc\" cannot be read.");
}

TEST(OutgoingMail, AttachmentsTravelAsBase64WithTheirFileNames) {
  testing::TempFolder folder;
  const std::string big = BinaryBytes(300000, 5);
  testing::WriteBytes(folder / "data.bin.enc", big);
  testing::WriteBytes(folder / "Übersicht März.txt.enc", std::string("small\r\n\x00\xff", 9));
  OutgoingMail mail{"bob@example.test", "alice@example.test", "files", "see attached",
                    (folder / "data.bin.enc").string() + ";" + (folder / "Übersicht März.txt.enc").string()};
  const auto built = Built(mail);
  EXPECT_NE(built.bytes.find("Content-Transfer-Encoding: base64"), std::string::npos);
  EXPECT_NE(built.bytes.find("filename*="), std::string::npos) << "RFC 2231 for the non-ASCII name";

  ReceivedMessage back;
  back.Load(built.bytes);
  EXPECT_EQ(back.TextBody(), "see attached");
  ASSERT_EQ(back.AttachmentCount(), 2);
  EXPECT_EQ(back.Attachments()[0].name, "data.bin.enc");
  EXPECT_EQ(back.Attachments()[0].bytes, big);
  EXPECT_EQ(back.Attachments()[1].name, "Übersicht März.txt.enc");
  EXPECT_EQ(back.Attachments()[1].bytes, std::string("small\r\n\x00\xff", 9));
}

TEST(OutgoingMail, PythonEmailPackageReadsTheSameFields) {
  if (std::system("python3 -c 'import email' >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "python3 is not available";
  }
  testing::TempFolder folder;
  testing::WriteBytes(folder / "Bericht Nr 1.pdf.enc", BinaryBytes(5000, 6));
  OutgoingMail mail{"bob@example.test; Carol Ä <carol@example.test>", "alice@example.test",
                    "Grüße aus Köln", "8F3A\r\nB2C4", (folder / "Bericht Nr 1.pdf.enc").string()};
  const auto built = Built(mail);
  testing::WriteBytes(folder / "message.eml", built.bytes);
  const std::string command = std::string("python3 ") + OSTREL_PYTHON_CHECK + " '" +
                              (folder / "message.eml").string() + "' > '" +
                              (folder / "fields.txt").string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << testing::ReadBytes(folder / "fields.txt");
  EXPECT_EQ(testing::ReadBytes(folder / "fields.txt"),
            "defects: 0\n"
            "from: alice@example.test\n"
            "to: bob@example.test, Carol Ä <carol@example.test>\n"
            "subject: Grüße aus Köln\n"
            "has date: yes\n"
            "has message-id: yes\n"
            "mime-version: 1.0\n"
            "text: 8F3A\\nB2C4\n"
            "attachment: Bericht Nr 1.pdf.enc 5000 " + std::to_string(ByteSum(BinaryBytes(5000, 6))) +
                "\n");
}

}  // namespace
}  // namespace ostrel::transport
