#pragma once

#include <cstdint>
#include <string>

#include "calc/number_format.h"

namespace tolvi {

// A double as text: 15 significant digits, plain notation for decimal exponents -4 to 14 and
// exponent notation (1E-05, 1.15292150460685E+18) otherwise, no trailing zeros, no group
// separators, the number format's decimal separator, a minus sign in front when negative.
// Negative zero is written 0. Raises Overflow for an infinity, Invalid operation for a NaN.
std::string StrR8(double value, const NumberFormat& format);

// A single-precision value as text, the same way with 7 significant digits: plain notation for
// decimal exponents -4 to 6.
std::string StrR4(float value, const NumberFormat& format);

// A whole number as its decimal digits, a minus sign in front when negative.
std::string StrI2(std::int16_t value);

// A value passed through text once, Val of StrR8: how intermediate results are cleaned. Raises
// what those two raise (Overflow for a value whose 15-digit form exceeds the largest double).
double ThroughText(double value, const NumberFormat& format);

}  // namespace tolvi
