#include "transport/server_security_note.h"

namespace ostrel::transport {

SecurityNote ServerSecurityNote(std::string_view boxText, MailProtocol protocol) {
  if (boxText.find_first_not_of(" \t") == std::string_view::npos) return {};
  const auto parsed = ParseServerAddress(boxText, protocol);
  if (!parsed) return {"Will not be accepted: " + parsed.Reason(), true};
  const ServerAddress& address = *parsed;
  const std::string port = ", port " + std::to_string(address.port);
  switch (address.security) {
    case Security::ImplicitTls: return {"TLS from the start" + port, false};
    case Security::StartTls:
      return {std::string(protocol == MailProtocol::Pop3 ? "STLS" : "STARTTLS") + " required" + port, false};
    case Security::PlainText:
      return {"Not encrypted: the password and the mail travel in plain text" + port, true};
  }
  return {};
}

}  // namespace ostrel::transport
