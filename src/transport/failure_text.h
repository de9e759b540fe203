#pragma once
// Plain words for what went wrong between the program and a mail server.

#include <curl/curl.h>

#include <string>
#include <string_view>

#include "transport/server_address.h"

namespace ostrel::transport {

// code: libcurl's result; responseCode: the server's last numeric reply
// (SMTP) or 0; detail: libcurl's error buffer.
std::string FailureText(CURLcode code, long responseCode, std::string_view detail,
                        const ServerAddress& server);

// A POP3 server that took no login over the connection made, so that the
// user name and password were never sent: over a plain connection, the
// server's address in the form that encrypts (STLS when the server offered
// it, TLS from the start otherwise).
std::string NoLoginOfferedText(const ServerAddress& server, bool offeredStls);

}  // namespace ostrel::transport
