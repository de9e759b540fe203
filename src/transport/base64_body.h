#pragma once
// Base64 bodies as mail carries them, in lines, decoded at memory speed.
// Only well-formed text is taken: the alphabet, line breaks, and padding that
// ends the last group. Anything else (blanks, stray characters, text after
// the padding, a group cut short) gives nothing, and the caller leaves the
// part to GMime's decoder, which skips what does not belong.

#include <optional>
#include <string>
#include <string_view>

namespace ostrel::transport {

std::optional<std::string> DecodeWellFormedBase64(std::string_view text);

}  // namespace ostrel::transport
