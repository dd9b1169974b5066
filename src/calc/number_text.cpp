#include "calc/number_text.h"

#include <charconv>
#include <string_view>

#include "calc/decimal_reader.h"
#include "calc/number_reading.h"
#include "calc/significant_digits.h"

namespace tolvi {

namespace {

// Writes significant digits (no trailing zeros) times ten to `exponent`: plain notation for
// exponents from -4 to 14, exponent notation otherwise.
std::string WriteGeneral(bool negative, std::string_view digits, int exponent,
                         const NumberFormat& format) {
    constexpr int kLargestPlainExponent = SignificantDigits::kCount - 1;
    std::string text;
    if (negative) {
        text += '-';
    }
    if (exponent < -4 || exponent > kLargestPlainExponent) {
        text += digits[0];
        if (digits.size() > 1) {
            text += format.decimalSeparator;
            text += digits.substr(1);
        }
        text += 'E';
        text += exponent < 0 ? '-' : '+';
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10) {
            text += '0';
        }
        char written[8];
        text.append(written, std::to_chars(written, written + sizeof written, magnitude).ptr);
    } else if (exponent >= 0) {
        const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
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
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text += digits;
    }
    return text;
}

std::string_view WithoutTrailingZeros(std::string_view digits) {
    while (digits.size() > 1 && digits.back() == '0') {
        digits.remove_suffix(1);
    }
    return digits;
}

}  // namespace

std::string NumberToText(double value, const NumberFormat& format) {
    const SignificantDigits s = ToSignificantDigits(value);
    if (s.IsZero()) {
        return "0";
    }
    char digits[SignificantDigits::kCount];
    s.WriteDigits(digits);
    return WriteGeneral(s.negative,
                        WithoutTrailingZeros(std::string_view(digits, SignificantDigits::kCount)),
                        s.exponent, format);
}

double ThroughText(double value, const NumberFormat& format) {
    if (format.decimalSeparator == ".") {
        // NumberToText writes the 15 significant digits and ReadNumber reads them back: the
        // double nearest to those digits, here without the text where one operation gives it.
        // The batch benchmark takes 38% more CPU without this.
        const SignificantDigits s = ToSignificantDigits(value);
        if (const auto read =
                ScaledExactly(s.whole, s.exponent - (SignificantDigits::kCount - 1))) {
            return s.negative && !s.IsZero() ? -*read : *read;
        }
    }
    // ReadNumber reads a text with another decimal separator only up to it.
    return ReadNumber(NumberToText(value, format));
}

}  // namespace tolvi
