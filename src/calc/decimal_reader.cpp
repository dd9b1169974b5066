#include "calc/decimal_reader.h"

#include <fast_float/fast_float.h>
#include <algorithm>
#include <charconv>
#include <cmath>

#include "calc/calc_error.h"

namespace tolvi {

void DecimalReader::Point() {
    seenPoint_ = true;
}

void DecimalReader::ExponentDigit(char c) {
    if (exponent_ < kExponentLimit) {
        exponent_ = exponent_ * 10 + (c - '0');
    }
}

double DecimalReader::ToDouble(bool negative) const {
    if (digitCount_ == 0) {
        return negative ? -0.0 : 0.0;
    }
    // The value is 0.DIGITS times ten to this power.
    const std::int64_t scale = integerDigits_ > 0 ? integerDigits_ : -leadingFractionZeros_;
    const std::int64_t power = scale + (exponentNegative_ ? -exponent_ : exponent_);

    // Up to 15 digits are a whole number a double holds exactly, and so are the powers of ten
    // up to 1e22: one multiplication or division then rounds correctly on its own.
    static constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const auto count = static_cast<std::int64_t>(digitCount_);
    const std::int64_t shift = power - count;
    if (count <= 15 && shift >= -22 && shift <= 22) {
        std::int64_t whole = 0;
        for (std::size_t i = 0; i < digitCount_; ++i) {
            whole = whole * 10 + (digits_[i] - '0');
        }
        double value = static_cast<double>(whole);
        value = shift >= 0 ? value * kExactPowersOfTen[shift] : value / kExactPowersOfTen[-shift];
        return negative ? -value : value;
    }
    const double value = SlowPath(power);
    return negative ? -value : value;
}

double DecimalReader::SlowPath(std::int64_t power) const {
    if (power > 400) {
        throw CalcError(CalcErrorKind::Overflow);
    }
    if (power < -400) {
        return 0.0;
    }
    char text[kMaxSignificantDigits + 32];
    char* end = text;
    *end++ = '0';
    *end++ = '.';
    end = std::copy(digits_, digits_ + digitCount_, end);
    if (sticky_) {
        *end++ = '1';
    }
    *end++ = 'e';
    end = std::to_chars(end, text + sizeof text, power).ptr;

    // Correctly rounded for any number of digits, and the same on every target.
    double value = 0.0;
    fast_float::from_chars(text, end, value);
    if (std::isinf(value)) {
        throw CalcError(CalcErrorKind::Overflow);
    }
    return value;
}

}  // namespace tolvi
