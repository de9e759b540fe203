#pragma once
// Decoding of header texts that carry RFC 2047 encoded words
// ("=?UTF-8?B?...?="). GMime 3.2.13 joins the payloads of adjacent base64
// words before decoding them, so "=?UTF-8?B?SGVsbG8=?= =?UTF-8?B?IHdvcmxk?="
// comes out as "Hello"; this decoder takes each word on its own and only
// then joins the bytes, which also keeps a character split across two words
// whole.

#include <string>
#include <string_view>

namespace ostrel::transport {

// The header text as UTF-8: folding removed, encoded words decoded, the blank
// between two adjacent encoded words dropped, control characters turned into
// blanks. Bytes outside UTF-8 in unencoded text are read as Windows-1252.
std::string DecodeHeaderText(std::string_view raw);

// Bytes in the named character set as UTF-8; an unknown set or bytes that
// do not fit it are read as Windows-1252.
std::string ToUtf8(std::string_view bytes, const std::string& charset);

}  // namespace ostrel::transport
