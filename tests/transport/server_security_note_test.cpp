#include "transport/server_security_note.h"

#include <gtest/gtest.h>

namespace ostrel::transport {
namespace {

TEST(ServerSecurityNote, EachAcceptedFormNamesItsProtectionAndPort) {
  const auto bare = ServerSecurityNote("pop.example.org", MailProtocol::Pop3);
  EXPECT_EQ(bare.text, "STLS required, port 110");
  EXPECT_FALSE(bare.warning);
  EXPECT_EQ(ServerSecurityNote("smtp.example.org", MailProtocol::Smtp).text, "STARTTLS required, port 587");
  EXPECT_EQ(ServerSecurityNote("pop.example.org:995", MailProtocol::Pop3).text, "TLS from the start, port 995");
  EXPECT_EQ(ServerSecurityNote("smtps://smtp.example.org", MailProtocol::Smtp).text,
            "TLS from the start, port 465");
  EXPECT_EQ(ServerSecurityNote("smtp.example.org:2525", MailProtocol::Smtp).text,
            "STARTTLS required, port 2525");
}

TEST(ServerSecurityNote, PlainTextAndRefusedFormsAreWarnings) {
  const auto plain = ServerSecurityNote("pop3://pop.example.org", MailProtocol::Pop3);
  EXPECT_TRUE(plain.warning);
  EXPECT_EQ(plain.text, "Not encrypted: the password and the mail travel in plain text, port 110");

  // The POP3 scheme in the SMTP box, a path, a bad port: each is refused with
  // the reason the sender or receiver would give.
  const auto wrongScheme = ServerSecurityNote("pop3s://mail.example.org", MailProtocol::Smtp);
  EXPECT_TRUE(wrongScheme.warning);
  EXPECT_EQ(wrongScheme.text.rfind("Will not be accepted: ", 0), 0u) << wrongScheme.text;
  EXPECT_NE(wrongScheme.text.find("smtps://"), std::string::npos) << wrongScheme.text;
  EXPECT_TRUE(ServerSecurityNote("pop.example.org/inbox", MailProtocol::Pop3).warning);
  const auto badPort = ServerSecurityNote("pop.example.org:70000", MailProtocol::Pop3);
  EXPECT_TRUE(badPort.warning);
  EXPECT_NE(badPort.text.find("1 to 65535"), std::string::npos) << badPort.text;
}

TEST(ServerSecurityNote, AnEmptyBoxSaysNothing) {
  EXPECT_EQ(ServerSecurityNote("", MailProtocol::Pop3).text, "");
  EXPECT_FALSE(ServerSecurityNote("   ", MailProtocol::Smtp).warning);
}

}  // namespace
}  // namespace ostrel::transport
