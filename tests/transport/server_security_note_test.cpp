#include "transport/server_security_note.h"

#include <gtest/gtest.h>

namespace ostrel::transport {
namespace {

TEST(ServerSecurityNote, EachFormNamesItsProtectionAndPortAndWarnsOfPlainTextOrARefusal) {
  struct Case {
    const char* text;
    MailProtocol protocol;
    const char* note;
    bool warning;
  };
  const Case cases[] = {
      {"pop.example.org", MailProtocol::Pop3, "STLS required, port 110", false},
      {"smtp.example.org", MailProtocol::Smtp, "STARTTLS required, port 587", false},
      {"pop.example.org:995", MailProtocol::Pop3, "TLS from the start, port 995", false},
      {"pop3://pop.example.org", MailProtocol::Pop3,
       "Not encrypted: the password and the mail travel in plain text, port 110", true},
      {"pop3s://mail.example.org", MailProtocol::Smtp,
       "Will not be accepted: \"pop3s://\" cannot be used for the SMTP server; write smtps:// followed by the "
       "server's name.",
       true},
      {"pop.example.org:70000", MailProtocol::Pop3,
       "Will not be accepted: The POP3 server's port must be a number from 1 to 65535.", true},
      {"", MailProtocol::Pop3, "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto note = ServerSecurityNote(c.text, c.protocol);
    EXPECT_EQ(note.text, c.note);
    EXPECT_EQ(note.warning, c.warning);
  }
}

}  // namespace
}  // namespace ostrel::transport
