#include "transport/server_address.h"

#include <gtest/gtest.h>

namespace ostrel::transport {
namespace {

ServerAddress Parsed(std::string_view text, MailProtocol protocol) {
  auto result = ParseServerAddress(text, protocol);
  if (auto* error = std::get_if<AddressError>(&result)) {
    ADD_FAILURE() << text << ": " << error->text;
    return {};
  }
  return std::get<ServerAddress>(result);
}

std::string ErrorOf(std::string_view text, MailProtocol protocol) {
  auto result = ParseServerAddress(text, protocol);
  if (auto* error = std::get_if<AddressError>(&result)) return error->text;
  return {};
}

TEST(ServerAddress, BareHostUsesTheStandardPortWithStartTls) {
  const auto pop = Parsed("  mail.example.org ", MailProtocol::Pop3);
  EXPECT_EQ(pop.host, "mail.example.org");
  EXPECT_EQ(pop.port, 110);
  EXPECT_EQ(pop.security, Security::StartTls);
  EXPECT_EQ(pop.Url(), "pop3://mail.example.org:110");

  const auto smtp = Parsed("mail.example.org", MailProtocol::Smtp);
  EXPECT_EQ(smtp.port, 587);
  EXPECT_EQ(smtp.security, Security::StartTls);
  EXPECT_EQ(smtp.Url(), "smtp://mail.example.org:587");
}

TEST(ServerAddress, HostAndPortUseImplicitTlsOnlyOnTheTlsPorts) {
  EXPECT_EQ(Parsed("mail.example.org:995", MailProtocol::Pop3).security, Security::ImplicitTls);
  EXPECT_EQ(Parsed("mail.example.org:995", MailProtocol::Pop3).Url(), "pop3s://mail.example.org:995");
  EXPECT_EQ(Parsed("mail.example.org:465", MailProtocol::Smtp).security, Security::ImplicitTls);
  EXPECT_EQ(Parsed("mail.example.org:2110", MailProtocol::Pop3).security, Security::StartTls);
  EXPECT_EQ(Parsed("mail.example.org:25", MailProtocol::Smtp).security, Security::StartTls);
  // 465 is not a POP3 TLS port, and 995 not an SMTP one.
  EXPECT_EQ(Parsed("mail.example.org:465", MailProtocol::Pop3).security, Security::StartTls);
  EXPECT_EQ(Parsed("mail.example.org:995", MailProtocol::Smtp).security, Security::StartTls);
}

TEST(ServerAddress, SchemesChooseTheSecurityAndTheirOwnDefaultPorts) {
  const auto pop3s = Parsed("POP3S://mail.example.org/", MailProtocol::Pop3);
  EXPECT_EQ(pop3s.port, 995);
  EXPECT_EQ(pop3s.security, Security::ImplicitTls);
  const auto pop3 = Parsed("pop3://mail.example.org:1110", MailProtocol::Pop3);
  EXPECT_EQ(pop3.port, 1110);
  EXPECT_EQ(pop3.security, Security::PlainText);
  EXPECT_EQ(Parsed("smtps://mail.example.org", MailProtocol::Smtp).port, 465);
  EXPECT_EQ(Parsed("smtp://mail.example.org", MailProtocol::Smtp).security, Security::PlainText);
  // Only the scheme written asks for plain text, even on a TLS port.
  EXPECT_EQ(Parsed("pop3://mail.example.org:995", MailProtocol::Pop3).security, Security::PlainText);
}

TEST(ServerAddress, Ipv6AddressesGoInBrackets) {
  const auto address = Parsed("[::1]:2525", MailProtocol::Smtp);
  EXPECT_EQ(address.host, "::1");
  EXPECT_EQ(address.port, 2525);
  EXPECT_EQ(address.Url(), "smtp://[::1]:2525");
  EXPECT_EQ(Parsed("pop3s://[fe80::1]", MailProtocol::Pop3).Url(), "pop3s://[fe80::1]:995");
}

TEST(ServerAddress, RefusesWhatIsNotJustAHostAndAPort) {
  for (const char* text : {"", "   ", "mail.example.org:0", "mail.example.org:65536",
                           "mail.example.org:abc", "mail.example.org:", "user@mail.example.org",
                           "mail.example.org/path", "mail example.org", "mail.example.org?x=1",
                           "http://mail.example.org", "-mail.example.org", "[::1", "[zz]:1",
                           "mail.example.org\r\nQUIT"}) {
    EXPECT_FALSE(ErrorOf(text, MailProtocol::Pop3).empty()) << text;
  }
  EXPECT_EQ(ErrorOf("", MailProtocol::Smtp), "No SMTP server has been set.");
}

TEST(ServerAddress, RefusesTheSchemeOfTheOtherProtocol) {
  EXPECT_NE(ErrorOf("smtps://mail.example.org", MailProtocol::Pop3).find("pop3s://"),
            std::string::npos);
  EXPECT_NE(ErrorOf("pop3://mail.example.org", MailProtocol::Smtp).find("smtps://"),
            std::string::npos);
}

TEST(ServerAddress, DescriptionSaysHowTheConnectionIsProtected) {
  const auto tls = DescribeSecurity(Parsed("pop3s://mail.example.org", MailProtocol::Pop3));
  EXPECT_NE(tls.find("Encrypted from the start"), std::string::npos);
  EXPECT_NE(tls.find("port 995"), std::string::npos);
  const auto startTls = DescribeSecurity(Parsed("mail.example.org", MailProtocol::Smtp));
  EXPECT_NE(startTls.find("STARTTLS"), std::string::npos);
  EXPECT_NE(DescribeSecurity(Parsed("mail.example.org", MailProtocol::Pop3)).find("STLS"),
            std::string::npos);
  const auto plain = DescribeSecurity(Parsed("smtp://mail.example.org", MailProtocol::Smtp));
  EXPECT_NE(plain.find("Not encrypted"), std::string::npos);
}

}  // namespace
}  // namespace ostrel::transport
