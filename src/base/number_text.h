#pragma once
// Numbers in the program's text files: the print form they are written in and
// the lenient reading they are read back with.

#include <cstdint>
#include <string>
#include <string_view>

namespace ostrel::base {

// " 12", " 0", "-3": a blank stands where a minus sign would.
std::string PrintForm(std::int64_t value);

// Print form followed by one blank, as the engine's work files write numbers.
std::string PrintFormSpaced(std::int64_t value);

// The numeric value of a text: blanks, tabs and line feeds are skipped
// wherever they stand, an optional sign, digits with at most one decimal
// point and an optional exponent (E or D); conversion stops at the first
// character that cannot continue the number; no digits give 0.
double NumericValue(std::string_view text);

// Rounds half to even and clamps to the range of the target type, as a
// conversion to an integer does when reading a number.
std::int64_t RoundHalfEven(double value, std::int64_t lowest, std::int64_t highest);
std::int16_t ToInt16(double value);
std::int32_t ToInt32(double value);

}  // namespace ostrel::base
