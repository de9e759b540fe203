#pragma once
// Letter case set aside, character by character: "Clé Ω" and "CLÉ Ω" are the
// same key name, and "INBOX.DAT" is the same file as "inbox.dat".

#include <string>
#include <string_view>

namespace ostrel::base {

// UTF-8 text with every letter in its lower-case form. Whole characters are
// folded, never single bytes of them; bytes that are not UTF-8 stay as they are.
std::string FoldCase(std::string_view utf8);

// The small letter of one character (Unicode's simple mapping), whatever
// locale the program runs in; a character without one is itself.
char32_t LowerCase(char32_t c);

bool SameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace ostrel::base
