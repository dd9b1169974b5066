#pragma once

#include <string>
#include <string_view>

#include "calc/number_format.h"

namespace tolvi {

// A number text in display form: grouped, with exactly the format's fraction digits.
//
// The text is read by the number format: optional blanks around it, an optional sign (or the
// format's own negative form), digits with group separators between digits of the integer
// part, an optional decimal separator with fraction digits, an optional exponent. Anything
// else raises Type mismatch; a number too large for a double raises Overflow.
//
// Halves round away from zero on the digits of the value's 15-significant-digit form, never
// on the binary double: 2.675 gives 2.68. A value that rounds to zero is written unsigned.
std::string FormatForDisplay(std::string_view text, const NumberFormat& format);

// FormatForDisplay of NumberToText of a value. With "." as decimal separator it is made from the
// value's digits, without writing the text and reading it back.
std::string DisplayFormOf(double value, const NumberFormat& format);

}  // namespace tolvi
