#pragma once

#include <string>

#include "calc/number_format.h"

namespace tolvi {

// A double as text: 15 significant digits, plain notation for decimal exponents -4 to 14 and
// exponent notation (1E-05, 1.15292150460685E+18) otherwise, no trailing zeros, no group
// separators, the number format's decimal separator, a minus sign in front when negative.
// Negative zero is written 0. Raises Overflow for an infinity, Invalid operation for a NaN.
std::string NumberToText(double value, const NumberFormat& format);

// A value passed through text once, ReadNumber of NumberToText: how intermediate results are
// cleaned. With "." as decimal separator this rounds to 15 significant digits. Raises what
// those two raise (Overflow for a value whose 15-digit form exceeds the largest double).
double ThroughText(double value, const NumberFormat& format);

}  // namespace tolvi
