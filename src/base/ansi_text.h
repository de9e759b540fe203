#pragma once
// Text on disk and under the cipher is "ANSI": Windows-1252, the Western
// single-byte code page, so that correspondents and existing files agree.
// Inside the program texts are UTF-8.
//
// Writing: a text whose every character exists in Windows-1252 is written in
// it; any other text is written as UTF-8 so that nothing is lost.
// Reading: bytes that form valid UTF-8 with at least one non-ASCII character
// are UTF-8; anything else is Windows-1252.

#include <cstddef>
#include <string>
#include <string_view>

namespace ostrel::base {

// UTF-8 text (as used inside the program) to the bytes stored on disk.
// Invalid UTF-8 input is taken as Windows-1252 bytes already and kept as is.
std::string ToAnsi(std::string_view utf8);

// Bytes from disk to UTF-8 text.
std::string FromAnsi(std::string_view bytes);

// True when the bytes are valid UTF-8 holding at least one non-ASCII character.
bool IsNonAsciiUtf8(std::string_view bytes);

// The number of bytes below 0x80 that text starts with. Mail and messages
// are mostly ASCII, which every conversion here passes through unchanged.
std::size_t AsciiPrefixLength(std::string_view text);

// Length of the well-formed UTF-8 sequence starting at text[pos], with its
// code point in *cp, or 0 when none starts there.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos, char32_t* cp);

// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t cp);

// The longest prefix of stored bytes that fits in width bytes without
// splitting a UTF-8 sequence (when the bytes are UTF-8).
std::string_view CutToWidth(std::string_view bytes, std::size_t width);

}  // namespace ostrel::base
