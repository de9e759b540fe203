#pragma once
// What the server boxes of the options accept, and what security each form
// gives: "host", "host:port", or a URL with scheme pop3s://, pop3://,
// smtps:// or smtp://.

#include <string>
#include <string_view>

#include "base/result.h"

namespace ostrel::transport {

enum class MailProtocol { Pop3, Smtp };

enum class Security {
  ImplicitTls,  // TLS from the first byte (pop3s, smtps, ports 995 and 465)
  StartTls,     // plain connection that must switch to TLS before logging in
  PlainText,    // no encryption at all, only when the user wrote the scheme
};

struct ServerAddress {
  MailProtocol protocol = MailProtocol::Pop3;
  std::string host;  // a name or an IPv4 address; an IPv6 address without brackets
  int port = 0;
  Security security = Security::StartTls;

  // The URL handed to libcurl: scheme, host and port, nothing else.
  std::string Url() const;
  bool operator==(const ServerAddress&) const = default;
};

// Reads a server box. Blanks around the text are ignored. Anything that could
// smuggle more than a host and a port into a URL (paths, user names, queries,
// blanks, control characters) is refused.
base::Result<ServerAddress> ParseServerAddress(std::string_view text, MailProtocol protocol);

}  // namespace ostrel::transport
