// The server boxes of the options, as the person (or a pasted text) fills them.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_scratch.h"
#include "transport/server_address.h"
#include "transport/server_security_note.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ostrel;
  using transport::MailProtocol;
  const std::string input(reinterpret_cast<const char*>(data), size);
  for (const auto protocol : {MailProtocol::Pop3, MailProtocol::Smtp}) {
    transport::ServerSecurityNote(input, protocol);
    const auto parsed = transport::ParseServerAddress(input, protocol);
    if (!parsed) {
      fuzz::Require(!parsed.Reason().empty(), "a refusal says why");
      continue;
    }
    const transport::ServerAddress& address = *parsed;
    fuzz::Require(address.port >= 1 && address.port <= 65535, "the port is a port");
    fuzz::Require(!address.host.empty(), "there is a host");
    // Nothing beyond scheme, host and port may reach libcurl.
    const std::string url = address.Url();
    for (const char c : url) {
      const auto u = static_cast<unsigned char>(c);
      fuzz::Require(u > 0x20 && u < 0x7F && c != '@' && c != '?' && c != '#' && c != '%' && c != '\\',
                    "the URL holds no user, query, fragment, escape or blank");
    }
    fuzz::Require(url.find('/', url.find("://") + 3) == std::string::npos, "the URL has no path");
    // libcurl's URL names STLS and plain text by one scheme, so only the
    // server itself must read back.
    const auto again = transport::ParseServerAddress(url, protocol);
    fuzz::Require(again.Ok(), "the URL reads back");
    const transport::ServerAddress& read = *again;
    fuzz::Require(read.host == address.host && read.port == address.port && read.protocol == address.protocol,
                  "the URL reads back as the same server");
  }
  return 0;
}
