#include "transport/server_address.h"

#include <algorithm>
#include <cctype>

#include "base/text_pieces.h"

namespace ostrel::transport {
namespace {

constexpr int kPop3Port = 110;
constexpr int kPop3sPort = 995;
constexpr int kSubmissionPort = 587;
constexpr int kSmtpsPort = 465;

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

bool IsHostCharacter(char c) {
  const auto u = static_cast<unsigned char>(c);
  return std::isalnum(u) != 0 || c == '.' || c == '-' || c == '_';
}

bool IsValidHostName(std::string_view host) {
  return !host.empty() && host.size() <= 253 && host.front() != '-' && host.front() != '.' &&
         std::all_of(host.begin(), host.end(), IsHostCharacter);
}

bool IsValidIpv6(std::string_view host) {
  return host.find(':') != std::string_view::npos &&
         std::all_of(host.begin(), host.end(), [](char c) {
           return std::isxdigit(static_cast<unsigned char>(c)) != 0 || c == ':' || c == '.';
         });
}

// Digits only, 1 to 65535; 0 when the text is not such a port.
int PortNumber(std::string_view text) {
  if (text.empty() || text.size() > 5) return 0;
  int port = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return 0;
    port = port * 10 + (c - '0');
  }
  return port <= 65535 ? port : 0;
}

struct SchemeRule {
  std::string_view scheme;
  MailProtocol protocol;
  Security security;
  int defaultPort;
};

constexpr SchemeRule kSchemes[] = {
    {"pop3s", MailProtocol::Pop3, Security::ImplicitTls, kPop3sPort},
    {"pop3", MailProtocol::Pop3, Security::PlainText, kPop3Port},
    {"smtps", MailProtocol::Smtp, Security::ImplicitTls, kSmtpsPort},
    {"smtp", MailProtocol::Smtp, Security::PlainText, kSubmissionPort},
};

std::string_view ProtocolName(MailProtocol protocol) {
  return protocol == MailProtocol::Pop3 ? "POP3" : "SMTP";
}

}  // namespace

std::string ServerAddress::Url() const {
  std::string scheme;
  if (protocol == MailProtocol::Pop3) {
    scheme = security == Security::ImplicitTls ? "pop3s" : "pop3";
  } else {
    scheme = security == Security::ImplicitTls ? "smtps" : "smtp";
  }
  const bool ipv6 = host.find(':') != std::string::npos;
  return scheme + "://" + (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

base::Result<ServerAddress> ParseServerAddress(std::string_view text, MailProtocol protocol) {
  text = base::TrimBlanksAndTabs(text);
  const std::string kind(ProtocolName(protocol));
  if (text.empty()) return base::Failure{"No " + kind + " server has been set."};

  ServerAddress address;
  address.protocol = protocol;
  const bool isPop3 = protocol == MailProtocol::Pop3;
  int defaultPort = isPop3 ? kPop3Port : kSubmissionPort;
  bool schemeGiven = false;

  if (const auto separator = text.find("://"); separator != std::string_view::npos) {
    const std::string scheme = Lower(text.substr(0, separator));
    const auto rule = std::find_if(std::begin(kSchemes), std::end(kSchemes),
                                   [&](const SchemeRule& r) { return r.scheme == scheme; });
    if (rule == std::end(kSchemes) || rule->protocol != protocol) {
      return base::Failure{"\"" + scheme + "://\" cannot be used for the " + kind +
                          " server; write " + (isPop3 ? "pop3s://" : "smtps://") +
                          " followed by the server's name."};
    }
    address.security = rule->security;
    defaultPort = rule->defaultPort;
    schemeGiven = true;
    text.remove_prefix(separator + 3);
    if (!text.empty() && text.back() == '/') text.remove_suffix(1);
  }

  std::string_view host = text;
  std::string_view portText;
  bool portGiven = false;
  if (!host.empty() && host.front() == '[') {
    const auto close = host.find(']');
    if (close == std::string_view::npos) {
      return base::Failure{"The " + kind + " server's address is missing a closing \"]\"."};
    }
    std::string_view rest = host.substr(close + 1);
    host = host.substr(1, close - 1);
    if (!IsValidIpv6(host)) return base::Failure{"The " + kind + " server's address is not valid."};
    if (!rest.empty()) {
      if (rest.front() != ':') return base::Failure{"The " + kind + " server's address is not valid."};
      portText = rest.substr(1);
      portGiven = true;
    }
  } else {
    if (const auto colon = host.rfind(':'); colon != std::string_view::npos) {
      portText = host.substr(colon + 1);
      host = host.substr(0, colon);
      portGiven = true;
    }
    if (!IsValidHostName(host)) {
      return base::Failure{"The " + kind + " server's name may hold only letters, digits, "
                          "dots and hyphens, with an optional \":port\"."};
    }
  }

  address.host = std::string(host);
  address.port = defaultPort;
  if (portGiven) {
    address.port = PortNumber(portText);
    if (address.port == 0) {
      return base::Failure{"The " + kind + " server's port must be a number from 1 to 65535."};
    }
  }
  if (!schemeGiven) {
    const int tlsPort = isPop3 ? kPop3sPort : kSmtpsPort;
    address.security = address.port == tlsPort ? Security::ImplicitTls : Security::StartTls;
  }
  return address;
}

}  // namespace ostrel::transport
