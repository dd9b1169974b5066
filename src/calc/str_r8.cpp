#include "calc/str_r8.h"

#include <charconv>

#include "calc/significant_digits.h"
#include "calc/val.h"

namespace tolvi {

std::string StrR8(double value, const NumberFormat& format) {
    const SignificantDigits s = ToSignificantDigits(value);
    if (s.IsZero()) {
        return "0";
    }
    int count = SignificantDigits::kCount;
    while (count > 1 && s.digits[count - 1] == '0') {
        --count;
    }
    const std::string_view digits(s.digits, static_cast<std::size_t>(count));

    std::string text;
    if (s.negative) {
        text += '-';
    }
    if (s.exponent < -4 || s.exponent > 14) {
        text += digits[0];
        if (count > 1) {
            text += format.decimalSeparator;
            text += digits.substr(1);
        }
        text += 'E';
        text += s.exponent < 0 ? '-' : '+';
        const int magnitude = s.exponent < 0 ? -s.exponent : s.exponent;
        if (magnitude < 10) {
            text += '0';
        }
        char exponent[8];
        text.append(exponent, std::to_chars(exponent, exponent + sizeof exponent, magnitude).ptr);
    } else if (s.exponent >= 0) {
        const auto integerDigits = static_cast<std::size_t>(s.exponent) + 1;
        if (digits.size() <= integerDigits) {
            text += digits;
            text.append(integerDigits - digits.size(), '0');
        } else {
            text += digits.substr(0, integerDigits);
            text += format.decimalSeparator;
            text += digits.substr(integerDigits);
        }
    } else {
        text += '0';
        text += format.decimalSeparator;
        text.append(static_cast<std::size_t>(-s.exponent - 1), '0');
        text += digits;
    }
    return text;
}

std::string StrI2(std::int16_t value) {
    char text[8];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

double ThroughText(double value, const NumberFormat& format) {
    return Val(StrR8(value, format));
}

}  // namespace tolvi
