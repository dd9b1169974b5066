#pragma once

#include <string_view>

namespace tolvi {

// Reads the number at the head of a text, always with "." as the decimal point: blanks, tabs
// and line feeds are ignored wherever they stand, an optional sign, digits with at most one
// point, an optional exponent (E or D in either case). Reading stops at the first character
// that cannot continue the number; a text with no digit at its head reads as 0. Raises
// Overflow for a number too large for a double; a number too small reads as 0.
double ReadNumber(std::string_view text);

// How every text that holds an amount of money is read: as ReadNumber reads it once every
// comma is taken out (1,000 reads as 1000).
double ReadAmount(std::string_view text);

}  // namespace tolvi
