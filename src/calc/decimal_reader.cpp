#include "calc/decimal_reader.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "calc/calc_error.h"

namespace tolvi {

void DecimalReader::Digit(char c) {
    anyDigit_ = true;
    if (digits_.empty() && c == '0') {
        if (seenPoint_) {
            ++leadingFractionZeros_;
        }
        return;
    }
    if (!seenPoint_) {
        ++integerDigits_;
    }
    if (digits_.size() < kMaxSignificantDigits) {
        digits_.push_back(c);
    } else if (c != '0') {
        sticky_ = true;
    }
}

void DecimalReader::Point() {
    seenPoint_ = true;
}

void DecimalReader::ExponentDigit(char c) {
    if (exponent_ < kExponentLimit) {
        exponent_ = exponent_ * 10 + (c - '0');
    }
}

double DecimalReader::ToDouble(bool negative) const {
    const double zero = negative ? -0.0 : 0.0;
    if (digits_.empty()) {
        return zero;
    }
    // The value is 0.DIGITS times ten to this power.
    const std::int64_t scale = integerDigits_ > 0 ? integerDigits_ : -leadingFractionZeros_;
    const std::int64_t power = scale + (exponentNegative_ ? -exponent_ : exponent_);
    if (power > 400) {
        throw CalcError(CalcErrorKind::Overflow);
    }
    if (power < -400) {
        return zero;
    }
    std::string text;
    text.reserve(digits_.size() + 16);
    text += "0.";
    text += digits_;
    if (sticky_) {
        text += '1';
    }
    text += 'e';
    char exponentText[24];
    const auto written = std::to_chars(exponentText, exponentText + sizeof exponentText, power);
    text.append(exponentText, written.ptr);

    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        if (power > 0) {
            throw CalcError(CalcErrorKind::Overflow);
        }
        return zero;
    }
    if (std::isinf(value)) {
        throw CalcError(CalcErrorKind::Overflow);
    }
    return negative ? -value : value;
}

}  // namespace tolvi
