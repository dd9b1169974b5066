#include "calc/decimal_sum.h"

#include "calc/calc_error.h"
#include "calc/decimal_reader.h"

namespace tolvi {

void DecimalSum::Add(const SignificantDigits& digits) {
    char written[SignificantDigits::kCount];
    digits.WriteDigits(written);
    const int sign = digits.negative ? -1 : 1;
    // The first digit stands at 10^exponent, the others each one power lower.
    std::size_t at = static_cast<std::size_t>(digits.exponent - kLowest);
    Touch(at);
    Touch(at + 1 - SignificantDigits::kCount);
    for (const char c : written) {
        slots_[at--] += sign * (c - '0');
    }
}

void DecimalSum::Add(std::string_view text, int sign) {
    if (text.starts_with('-')) {
        sign = -sign;
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    const std::string_view integer = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (integer.empty() || fraction.size() > -kLowest) {
        throw CalcError(CalcErrorKind::TypeMismatch);
    }
    std::size_t at = static_cast<std::size_t>(-kLowest);  // 10^0
    for (auto c = integer.rbegin(); c != integer.rend(); ++c) {
        if (*c == ',' && c != integer.rbegin() && c + 1 != integer.rend()) {
            continue;
        }
        if (!IsDigit(*c) || at == kSlots) {
            throw CalcError(CalcErrorKind::TypeMismatch);
        }
        Touch(at);
        slots_[at++] += sign * (*c - '0');
    }
    at = static_cast<std::size_t>(-kLowest);
    for (const char c : fraction) {
        if (!IsDigit(c)) {
            throw CalcError(CalcErrorKind::TypeMismatch);
        }
        Touch(--at);
        slots_[at] += sign * (c - '0');
    }
}

void DecimalSum::Add(const DecimalSum& other, int sign) {
    if (other.low_ > other.high_) {
        return;
    }
    for (std::size_t i = other.low_; i <= other.high_; ++i) {
        slots_[i] += sign * other.slots_[i];
    }
    Touch(other.low_);
    Touch(other.high_);
}

DecimalSum::Digits DecimalSum::Normalized() const {
    // Carried from the lowest power up; a negative sum leaves a borrow above its highest digit.
    const auto carry = [this](int sign, Digits& out) {
        std::int64_t carried = 0;
        for (std::size_t i = low_; i < kSlots && (i <= high_ || carried > 0); ++i) {
            const std::int64_t value = sign * slots_[i] + carried;
            std::int64_t digit = value % 10;
            carried = value / 10;
            if (digit < 0) {
                digit += 10;
                --carried;
            }
            out.digit[i] = static_cast<std::uint8_t>(digit);
        }
        return carried;
    };
    Digits digits;
    if (carry(1, digits) < 0) {
        digits = Digits{};
        digits.negative = true;
        carry(-1, digits);
    }
    return digits;
}

std::string DecimalSum::Plain() const {
    const Digits d = Normalized();
    std::size_t high = kSlots - 1;
    while (high > static_cast<std::size_t>(-kLowest) && d.digit[high] == 0) {
        --high;
    }
    std::size_t low = 0;
    while (low < static_cast<std::size_t>(-kLowest) && d.digit[low] == 0) {
        ++low;
    }
    std::string text;
    for (std::size_t i = high + 1; i-- > low;) {
        if (i + 1 == static_cast<std::size_t>(-kLowest)) {
            text += '.';
        }
        text += static_cast<char>('0' + d.digit[i]);
    }
    return d.negative && text != "0" ? "-" + text : text;
}

std::string DecimalSum::Fixed(int fractionDigits, std::string_view groupSeparator) const {
    const Digits d = Normalized();
    const auto units = static_cast<std::size_t>(-kLowest);  // the slot of 10^0
    std::size_t high = kSlots - 1;
    while (high > units && d.digit[high] == 0) {
        --high;
    }
    std::string text;
    bool zero = true;
    for (std::size_t i = high + 1; i-- > units - static_cast<std::size_t>(fractionDigits);) {
        if (i + 1 == units) {
            text += '.';
        } else if (i >= units && i != high && (i - units) % 3 == 2) {
            text += groupSeparator;
        }
        text += static_cast<char>('0' + d.digit[i]);
        zero = zero && d.digit[i] == 0;
    }
    return d.negative && !zero ? "-" + text : text;
}

}  // namespace tolvi
