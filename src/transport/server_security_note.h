#pragma once
// The short note the options window shows next to a server box: how the form
// typed will protect the connection, or a warning when it would not be
// accepted or would send the password unencrypted.

#include <string>
#include <string_view>

#include "transport/server_address.h"

namespace ostrel::transport {

struct SecurityNote {
  std::string text;      // empty for an empty box
  bool warning = false;  // shown so that it catches the eye
};

SecurityNote ServerSecurityNote(std::string_view boxText, MailProtocol protocol);

}  // namespace ostrel::transport
