#include "transport/outgoing_mail.h"

#include <gtest/gtest.h>

#include <cstdlib>

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
      {"not an address", "\"not an address\" is not a valid e-mail address."},
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

// Python's email package, a parser written apart from this program, reads
// every field back; the envelope has each address of the list once.
TEST(OutgoingMail, AnIndependentParserReadsEveryFieldBack) {
  testing::TempFolder folder;
  const std::string attachment = BinaryBytes(5000, 6);
  testing::WriteBytes(folder / "Übersicht März.pdf.enc", attachment);
  OutgoingMail mail{" bob@example.test; Carol Ä <carol@example.test> ;; ", "alice@example.test",
                    "Grüße aus Köln", "8F3A\r\nB2C4", (folder / "Übersicht März.pdf.enc").string()};
  const auto built = Built(mail);
  EXPECT_EQ(built.envelopeSender, "alice@example.test");
  EXPECT_EQ(built.envelopeRecipients, (std::vector<std::string>{"bob@example.test", "carol@example.test"}));
  for (size_t i = 0; i < built.bytes.size(); ++i) {
    if (built.bytes[i] == '\n') {
      ASSERT_TRUE(i > 0 && built.bytes[i - 1] == '\r') << "a bare LF at " << i;
    }
  }

  if (std::system("python3 -c 'import email' >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "python3 is not available";
  }
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
            "attachment: Übersicht März.pdf.enc 5000 " + std::to_string(ByteSum(attachment)) + "\n");
}

}  // namespace
}  // namespace ostrel::transport
