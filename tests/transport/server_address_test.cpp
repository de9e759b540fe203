#include "transport/server_address.h"

#include <gtest/gtest.h>

#include "support/results.h"

namespace ostrel::transport {
namespace {

constexpr auto kPop3 = MailProtocol::Pop3;
constexpr auto kSmtp = MailProtocol::Smtp;

std::string ErrorOf(std::string_view text, MailProtocol protocol) {
  return testing::FailureOf(ParseServerAddress(text, protocol));
}

TEST(ServerAddress, EachAcceptedFormGivesItsHostPortAndSecurity) {
  struct Case {
    const char* text;
    MailProtocol protocol;
    const char* host;
    int port;
    Security security;
    const char* url;
  };
  const Case cases[] = {
      {"  mail.example.org ", kPop3, "mail.example.org", 110, Security::StartTls, "pop3://mail.example.org:110"},
      {"mail.example.org", kSmtp, "mail.example.org", 587, Security::StartTls, "smtp://mail.example.org:587"},
      {"mail.example.org:995", kPop3, "mail.example.org", 995, Security::ImplicitTls, "pop3s://mail.example.org:995"},
      {"mail.example.org:465", kSmtp, "mail.example.org", 465, Security::ImplicitTls, "smtps://mail.example.org:465"},
      // 465 is not a POP3 TLS port.
      {"mail.example.org:465", kPop3, "mail.example.org", 465, Security::StartTls, "pop3://mail.example.org:465"},
      {"POP3S://mail.example.org/", kPop3, "mail.example.org", 995, Security::ImplicitTls, "pop3s://mail.example.org:995"},
      // Only the scheme written asks for plain text, even on a TLS port.
      {"pop3://mail.example.org:995", kPop3, "mail.example.org", 995, Security::PlainText, "pop3://mail.example.org:995"},
      {"[::1]:2525", kSmtp, "::1", 2525, Security::StartTls, "smtp://[::1]:2525"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto address = testing::ValueOf(ParseServerAddress(c.text, c.protocol));
    EXPECT_EQ(address.host, c.host);
    EXPECT_EQ(address.port, c.port);
    EXPECT_EQ(address.security, c.security);
    EXPECT_EQ(address.Url(), c.url);
  }
}

TEST(ServerAddress, RefusesWhatIsNotJustAHostAndAPort) {
  for (const char* text : {"", "mail.example.org:0", "mail.example.org:65536", "mail.example.org:abc",
                           "user@mail.example.org", "mail.example.org/path", "mail example.org",
                           "http://mail.example.org", "-mail.example.org", "[::1", "mail.example.org\r\nQUIT"}) {
    EXPECT_FALSE(ErrorOf(text, kPop3).empty()) << text;
  }
  EXPECT_EQ(ErrorOf("", kSmtp), "No SMTP server has been set.");
  // The scheme of the other protocol is refused with the one to use instead.
  EXPECT_NE(ErrorOf("smtps://mail.example.org", kPop3).find("pop3s://"), std::string::npos);
  EXPECT_NE(ErrorOf("pop3://mail.example.org", kSmtp).find("smtps://"), std::string::npos);
}

}  // namespace
}  // namespace ostrel::transport
