#include "transport/failure_text.h"

namespace ostrel::transport {
namespace {

bool Starts(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

std::string Where(const ServerAddress& server) {
  return server.host + " (port " + std::to_string(server.port) + ")";
}

}  // namespace

std::string FailureText(CURLcode code, long responseCode, std::string_view detail,
                        const ServerAddress& server) {
  switch (code) {
    case CURLE_OK:
      return {};
    case CURLE_COULDNT_RESOLVE_HOST:
      return "The mail server " + server.host + " could not be found.";
    case CURLE_COULDNT_CONNECT:
    case CURLE_OPERATION_TIMEDOUT:
      return "The mail server " + Where(server) + " cannot be reached.";
    case CURLE_LOGIN_DENIED:
      return "The mail server refused the login: check the user name and password.";
    case CURLE_USE_SSL_FAILED:
      return std::string("The mail server does not offer ") +
             (server.protocol == MailProtocol::Pop3 ? "STLS" : "STARTTLS") +
             ", so the connection was not made without encryption.";
    case CURLE_PEER_FAILED_VERIFICATION:
      return "The mail server's certificate is not trusted, or it does not belong to " +
             server.host + ".";
    case CURLE_SSL_CONNECT_ERROR:
      return "A secure connection to the mail server " + Where(server) + " could not be made.";
    case CURLE_FILESIZE_EXCEEDED:
      return "The message is too large for the mail server.";
    default:
      break;
  }
  if (responseCode == 552 || detail.find("5.3.4") != std::string_view::npos) {
    return "The message is too large for the mail server.";
  }
  if (Starts(detail, "RCPT")) {
    return "The mail server refused a recipient of the message (reply " +
           std::to_string(responseCode) + ").";
  }
  if (Starts(detail, "MAIL")) {
    return "The mail server refused the sender address (reply " + std::to_string(responseCode) +
           ").";
  }
  if (code == CURLE_GOT_NOTHING || code == CURLE_RECV_ERROR || code == CURLE_SEND_ERROR) {
    if (responseCode == 0) {
      return "The connection to the mail server " + Where(server) + " was lost.";
    }
  }
  std::string text = "The mail server reported an error";
  if (!detail.empty()) {
    text += ": ";
    text += detail;
  } else {
    text += ": ";
    text += curl_easy_strerror(code);
  }
  if (text.back() != '.') text += '.';
  return text;
}

std::string NoLoginOfferedText(const ServerAddress& server, bool offeredStls) {
  if (server.security != Security::PlainText) {
    return "The mail server offers no way of logging in that the program knows, so the user name and password "
           "were not sent.";
  }
  const bool ipv6 = server.host.find(':') != std::string::npos;
  const std::string host = ipv6 ? "[" + server.host + "]" : server.host;
  std::string text =
      "The mail server takes logins only over an encrypted connection, so the user name and password were not "
      "sent. ";
  if (offeredStls) {
    text += "Write the POP3 server as \"" + host + ":" + std::to_string(server.port) +
            "\", without \"pop3://\", to encrypt this connection with STLS.";
  } else {
    text += "Write the POP3 server as \"pop3s://" + host + "\" to connect encrypted from the start (port 995).";
  }
  return text;
}

}  // namespace ostrel::transport
