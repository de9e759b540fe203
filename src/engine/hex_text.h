#pragma once
// Cipher text as hex text: two upper-case digits per byte, lines of 80
// digits ended by CR LF, so that it survives text boxes and mail.

#include <string>
#include <string_view>

namespace ostrel::engine {

std::string HexEncode(std::string_view text);

// Replaces text with the decoded bytes and returns them. CR and LF anywhere
// are ignored; any other character that is not one of "0123456789ABCDEF"
// makes it throw EngineError and leave text unchanged. A lone last digit is
// the high half of a byte whose low half is 0.
std::string HexDecode(std::string& text);

}  // namespace ostrel::engine
