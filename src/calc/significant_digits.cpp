#include "calc/significant_digits.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

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
    // The shortest text that reads back as the value is already its nearest 15-digit decimal
    // whenever it has at most 15 digits: it lies within half a unit of the binary value's last
    // place, far closer than the midpoint between two 15-digit decimals.
    char text[32];
    auto end =
        std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific).ptr;
    const char* exponentMark = std::find(text, end, 'e');
    const auto mantissaLength = exponentMark - text;  // "d" or "d.ddd"
    if (mantissaLength > SignificantDigits::kCount + 1 ||
        magnitude < std::numeric_limits<double>::min()) {
        // More digits, or a subnormal value with too few bits for that argument: round the
        // exact binary value to 15 digits.
        end = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific,
                            SignificantDigits::kCount - 1)
                  .ptr;
        exponentMark = std::find(text, end, 'e');
    }
    int count = 0;
    for (const char* p = text; p != exponentMark; ++p) {
        if (*p != '.') {
            result.digits[count++] = *p;
        }
    }
    std::fill(result.digits + count, result.digits + SignificantDigits::kCount, '0');
    const char* exponent = exponentMark + 1;
    std::from_chars(*exponent == '+' ? exponent + 1 : exponent, end, result.exponent);
    return result;
}

}  // namespace tolvi
