#pragma once
// Letter case aside, by characters: the form two UTF-8 texts are compared in
// when the person searches a box. "Ärger", "ÄRGER" and "ärger" fold alike,
// and so do Greek and Cyrillic capitals and their small letters.

#include <string>
#include <string_view>

namespace ostrel::store {

// Every character replaced by its small letter (Unicode's simple mapping),
// a few letters that have two small forms brought to one (final sigma to
// sigma, long s to s), and control characters to blanks. Bytes that are no
// UTF-8 are kept as they are.
std::string FoldForSearch(std::string_view utf8);

// Appends FoldForSearch(utf8) to out.
void AppendFolded(std::string& out, std::string_view utf8);

}  // namespace ostrel::store
