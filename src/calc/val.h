#pragma once

#include <string>
#include <string_view>

namespace tolvi {

// Reads the number at the head of a text, always with "." as the decimal point: blanks, tabs
// and line feeds are ignored wherever they stand, an optional sign, digits with at most one
// point, an optional exponent (E or D in either case). Reading stops at the first character
// that cannot continue the number; a text with no digit at its head reads as 0. Raises
// Overflow for a number too large for a double; a number too small reads as 0.
double Val(std::string_view text);

// Every occurrence of `find` in `text`, from the first character on, replaced by
// `replacement`, by plain character comparison. An empty `find` leaves the text as it is.
std::string Replace(std::string_view text, std::string_view find, std::string_view replacement);

// How every text that holds an amount of money is read: its commas removed, then Val.
double ReadAmount(std::string_view text);

}  // namespace tolvi
