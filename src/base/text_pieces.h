#pragma once
// Cutting text into its pieces: lines, ";"-separated lists, the blanks
// around a value. Stored texts end their lines with CR LF.

#include <string>
#include <string_view>
#include <vector>

namespace ostrel::base {

// The line end every stored text and every network line is written with.
inline constexpr std::string_view kLineEnd = "\r\n";

// The lines of text without their ends. A line ends at CR LF, a lone CR or a
// lone LF; text after the last line end is a line of its own, and a final
// line end starts no empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

// text without blanks and tabs at either end.
std::string_view TrimBlanksAndTabs(std::string_view text);

// The pieces of a ";"-separated list, empty ones included: "a;;b" has three
// pieces and "" one empty piece.
std::vector<std::string_view> SplitList(std::string_view list);

// The items joined with ";" between them.
std::string JoinList(const std::vector<std::string>& items);

}  // namespace ostrel::base
