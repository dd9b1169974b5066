#include "calc/significant_digits.h"

#include <charconv>
#include <cmath>

#include "calc/checked_arithmetic.h"

namespace tolvi {

SignificantDigits ToSignificantDigits(double value) {
    Tested(value);
    SignificantDigits result;
    result.negative = std::signbit(value);
    const double magnitude = std::fabs(value);
    if (magnitude == 0.0) {
        for (char& d : result.digits) {
            d = '0';
        }
        return result;
    }
    // d.dddddddddddddde+XX: 15 digits rounded to nearest, the exponent of the rounded value.
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, magnitude,
                                   std::chars_format::scientific, SignificantDigits::kCount - 1)
                         .ptr;
    const char* p = text;
    result.digits[0] = *p++;
    ++p;  // the point
    for (int i = 1; i < SignificantDigits::kCount; ++i) {
        result.digits[i] = *p++;
    }
    ++p;  // 'e'
    std::from_chars(p[0] == '+' ? p + 1 : p, end, result.exponent);
    return result;
}

}  // namespace tolvi
