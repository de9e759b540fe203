#include "transport/received_message.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_folder.h"

namespace ostrel::transport {
namespace {

ReceivedMessage LoadFixture(const std::string& name) {
  ReceivedMessage message;
  message.Load(testing::ReadBytes(std::filesystem::path(OSTREL_TRANSPORT_DATA) / name));
  return message;
}

TEST(ReceivedMessage, MultipartAlternativeWithQuotedPrintableBase64AndRfc2231Name) {
  const auto message = LoadFixture("multipart-alternative-qp-base64-rfc2231.eml");
  EXPECT_EQ(message.Sender(), "Jürgen Müller <juergen@example.test>");
  EXPECT_EQ(message.Recipient(1), "Bob <bob@example.test>");
  EXPECT_EQ(message.Recipient(2), "carol@example.test");
  EXPECT_EQ(message.Recipient(3), "");
  EXPECT_EQ(message.Recipient(0), "");
  EXPECT_EQ(message.Subject(), "Quarterly report – draft");
  EXPECT_EQ(message.Date(), "Tue, 01 Dec 2026 09:30:00 +0100");
  EXPECT_EQ(message.TextBody(),
            "Hello Bob,\nthe figures are attached – see the file.\r\n"
            "A very long line that was soft broken by the quoted-printable encoder so that it "
            "fits.\r\n");
  EXPECT_EQ(message.HtmlBody(),
            "<html><body><p>Hello Bob, the figures are attached – see the file.</p></body></html>");
  ASSERT_EQ(message.AttachmentCount(), 1);
  EXPECT_EQ(message.Attachments()[0].name, "Grüße Bericht.pdf.enc");
  std::string expected;
  for (int round = 0; round < 4; ++round) {
    for (int byte = 0; byte < 256; ++byte) expected += static_cast<char>(byte);
  }
  EXPECT_EQ(message.Attachments()[0].bytes, expected);
}

// Adjacent encoded words join into one subject; 8-bit bodies in Windows-1252
// or UTF-8 and quoted-printable HTML all come out as UTF-8.
TEST(ReceivedMessage, SubjectsAndBodiesComeOutAsUtf8) {
  struct Case {
    const char* fixture;
    const char* subject;
    const char* text;
    const char* html;
  };
  const Case cases[] = {
      {"rfc2047-adjacent-encoded-words.eml", "Hello world", "Plain text only.\r\n", ""},
      {"windows-1252-8bit-body.eml", "Café prices", "Un café coûte 2 € – “cher”.\r\n", ""},
      {"utf8-8bit-body.eml", "Grüße", "Grüße aus Köln – 東京\r\n", ""},
      {"html-only-quoted-printable.eml", "W.I.N. a prize", "", "<p>Gagnez un prix très = cher</p>\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fixture);
    const auto message = LoadFixture(c.fixture);
    EXPECT_EQ(message.Subject(), c.subject);
    EXPECT_EQ(message.TextBody(), c.text);
    EXPECT_EQ(message.HtmlBody(), c.html);
    EXPECT_EQ(message.AttachmentCount(), 0);
  }
  EXPECT_EQ(LoadFixture("windows-1252-8bit-body.eml").Sender(), "Renée <renee@example.test>");
}

// Each load starts from nothing: whatever follows a full message, garbage or
// a multipart without parts, no field of the earlier one is left behind.
TEST(ReceivedMessage, GarbageGivesEmptyFieldsAndEachLoadForgetsThePrevious) {
  ReceivedMessage message = LoadFixture("multipart-alternative-qp-base64-rfc2231.eml");
  for (const std::string& raw : {std::string(), std::string("\0\0\0", 3), std::string("no header at all"),
                                std::string("Content-Type: multipart/mixed; boundary=x\r\n\r\n--x\r\n--x")}) {
    message.Load(raw);
    EXPECT_EQ(message.Subject(), "");
    EXPECT_EQ(message.Sender(), "");
    EXPECT_EQ(message.Recipient(2), "");
    EXPECT_EQ(message.HtmlBody(), "");
    EXPECT_EQ(message.AttachmentCount(), 0);
  }
}

}  // namespace
}  // namespace ostrel::transport
