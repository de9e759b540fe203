// A base64 body from a received message. Where the fast decoder takes the
// text as well formed, GMime's decoder must give the same bytes; where it
// refuses, the part falls back to GMime, so any answer is safe.
#include <gmime/gmime.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_scratch.h"
#include "transport/base64_body.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ostrel;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto fast = transport::DecodeWellFormedBase64(text);
  if (!fast) return 0;
  std::string reference(size / 4 * 3 + 4, '\0');
  int state = 0;
  guint32 save = 0;
  const std::size_t length = g_mime_encoding_base64_decode_step(
      data, size, reinterpret_cast<unsigned char*>(reference.data()), &state, &save);
  reference.resize(length);
  fuzz::Require(*fast == reference, "well-formed text decodes as GMime decodes it");
  return 0;
}
