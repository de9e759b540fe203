// Header texts with encoded words, as a stranger's message brings them; the
// part after the first NUL byte is also read as bytes of a charset named by
// the part before it.
#include <glib.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_scratch.h"
#include "transport/encoded_words.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ostrel;
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string decoded = transport::DecodeHeaderText(input);
  fuzz::Require(g_utf8_validate(decoded.data(), static_cast<gssize>(decoded.size()), nullptr) != 0,
                "decoded header text is UTF-8");
  for (const char c : decoded) {
    fuzz::Require(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F, "no control characters are left");
  }
  if (const auto nul = input.find('\0'); nul != std::string::npos) {
    std::string converted = transport::ToUtf8(input.substr(nul + 1), input.substr(0, nul));
    // NUL is a character of its own in UTF-8, but not to GLib's check.
    std::erase(converted, '\0');
    fuzz::Require(g_utf8_validate(converted.data(), static_cast<gssize>(converted.size()), nullptr) != 0,
                  "converted text is UTF-8");
  }
  return 0;
}
