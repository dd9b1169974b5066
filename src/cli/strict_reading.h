#pragma once

#include <string_view>

namespace tolvi {

// How the command-line calculator takes an amount and a rate.
enum class Reading {
    Strict,   // calculates only when the calculation's reading takes each text whole, with
              // no D exponent and no control character
    Lenient,  // as the window reads them: whatever number each text begins with
};

// Why strict reading does not calculate this amount and rate: "Not a number: amount" when the
// reading would take only part of the text, or it holds a D exponent (1d3) or a control
// character (a line feed, a tab), "Empty: rate" when there is nothing but blanks, one
// for each such field, the amount first, joined by "; ". Empty when both are read whole.
std::string_view StrictReadingError(std::string_view amount, std::string_view rate);

}  // namespace tolvi
