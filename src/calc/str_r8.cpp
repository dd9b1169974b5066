#include "calc/str_r8.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "calc/checked_arithmetic.h"
#include "calc/decimal_reader.h"
#include "calc/scientific_text.h"
#include "calc/significant_digits.h"
#include "calc/val.h"

namespace tolvi {

namespace {

// Writes significant digits (no trailing zeros) times ten to `exponent` the way %.<precision>G
// chooses: plain notation for exponents from -4 to precision - 1, exponent notation otherwise.
std::string WriteGeneral(bool negative, std::string_view digits, int exponent, int precision,
                         const NumberFormat& format) {
    std::string text;
    if (negative) {
        text += '-';
    }
    if (exponent < -4 || exponent >= precision) {
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

std::string StrR8(double value, const NumberFormat& format) {
    const SignificantDigits s = ToSignificantDigits(value);
    if (s.IsZero()) {
        return "0";
    }
    return WriteGeneral(s.negative,
                        WithoutTrailingZeros(std::string_view(s.digits, SignificantDigits::kCount)),
                        s.exponent, SignificantDigits::kCount, format);
}

std::string StrR4(float value, const NumberFormat& format) {
    constexpr int kPrecision = 7;
    if (value == 0.0f) {
        return "0";
    }
    Tested(value);
    // d.dddddde+XX: the float's exact value rounded to seven digits.
    char text[32];
    // A float converts to double exactly, so its digits are those of the double.
    const char* end = WriteScientific(text, std::fabs(static_cast<double>(value)), kPrecision - 1);
    char digits[kPrecision];
    int exponent = 0;
    const int count = SplitScientific(text, end, digits, kPrecision, exponent);
    return WriteGeneral(
        std::signbit(value),
        WithoutTrailingZeros(std::string_view(digits, static_cast<std::size_t>(count))), exponent,
        kPrecision, format);
}

std::string StrI2(std::int16_t value) {
    char text[8];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

double ThroughText(double value, const NumberFormat& format) {
    if (format.decimalSeparator != ".") {
        return Val(StrR8(value, format));  // Val reads such a text only up to the separator
    }
    // StrR8 writes the value's 15 significant digits and Val reads them back: the result is
    // the double nearest to those digits, read here without writing the text.
    const SignificantDigits s = ToSignificantDigits(value);
    DecimalReader reader;
    reader.Digit(s.digits[0]);
    reader.Point();
    for (int i = 1; i < SignificantDigits::kCount; ++i) {
        reader.Digit(s.digits[i]);
    }
    if (s.exponent < 0) {
        reader.NegativeExponent();
    }
    char exponent[8];
    const int magnitude = s.exponent < 0 ? -s.exponent : s.exponent;
    const char* end = std::to_chars(exponent, exponent + sizeof exponent, magnitude).ptr;
    for (const char* p = exponent; p != end; ++p) {
        reader.ExponentDigit(*p);
    }
    return reader.ToDouble(s.negative && !s.IsZero());
}

}  // namespace tolvi
