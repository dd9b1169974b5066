#pragma once

#include <string_view>

namespace tolvi {

// How the command-line calculator takes an amount and a rate.
enum class Reading {
    Strict,   // calculates only when the calculation's reading takes each text whole, with
              // no D exponent, no control character and no number too near zero
    Lenient,  // as the window reads them: whatever number each text begins with
};

// Why strict reading does not calculate this amount and rate, one reason for each such field,
// the amount first, joined by "; ":
// - "Not a number: amount" when the reading would take only part of the text, or it holds a
//   D exponent (1d3) or a control character (a line feed, a tab);
// - "Too small: amount" when it is a number, not zero, that a double cannot hold with all its
//   digits (1e-320, 1e-400);
// - "Empty: rate" when there is nothing but blanks.
// Empty when both are read whole.
std::string_view StrictReadingError(std::string_view amount, std::string_view rate);

}  // namespace tolvi
