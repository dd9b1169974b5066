#include "calc/decimal_sum.h"

#include "calc/calc_error.h"
#include "calc/decimal_reader.h"

namespace tolvi {

void DecimalSum::Cover(std::size_t low, std::size_t high) {
    if (slots_.empty()) {
        low_ = low;
        slots_.assign(high - low + 1, 0);
        return;
    }
    if (low < low_) {
        slots_.insert(slots_.begin(), low_ - low, 0);
        low_ = low;
    }
    if (high - low_ >= slots_.size()) {
        slots_.resize(high - low_ + 1, 0);
    }
}

void DecimalSum::Add(const SignificantDigits& digits) {
    char written[SignificantDigits::kCount];
    digits.WriteDigits(written);
    const std::int64_t sign = digits.negative ? -1 : 1;
    // The first digit stands at 10^exponent, the others each one power lower.
    const auto first = static_cast<std::size_t>(digits.exponent - kLowest);
    Cover(first + 1 - SignificantDigits::kCount, first);
    std::int64_t* slot = &slots_[first - low_];
    for (const char c : written) {
        *slot-- += sign * (c - '0');
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
    // Commas stand between digits only; read them all before adding any.
    std::size_t integerDigits = 0;
    for (std::size_t i = 0; i < integer.size(); ++i) {
        const bool comma = integer[i] == ',' && i > 0 && i + 1 < integer.size();
        if (!comma && !IsDigit(integer[i])) {
            throw CalcError(CalcErrorKind::TypeMismatch);
        }
        integerDigits += comma ? 0 : 1;
    }
    for (const char c : fraction) {
        if (!IsDigit(c)) {
            throw CalcError(CalcErrorKind::TypeMismatch);
        }
    }
    if (integerDigits == 0 || integerDigits > kHighest || fraction.size() > -kLowest) {
        throw CalcError(CalcErrorKind::TypeMismatch);
    }
    const auto units = static_cast<std::size_t>(-kLowest);  // the slot of 10^0
    Cover(units - fraction.size(), units + integerDigits - 1);
    std::int64_t* slot = &slots_[units - low_];
    for (auto c = integer.rbegin(); c != integer.rend(); ++c) {
        if (*c != ',') {
            *slot++ += std::int64_t{sign} * (*c - '0');
        }
    }
    slot = &slots_[units - low_];
    for (const char c : fraction) {
        *--slot += std::int64_t{sign} * (c - '0');
    }
}

void DecimalSum::Add(const DecimalSum& other, int sign) {
    if (other.slots_.empty()) {
        return;
    }
    Cover(other.low_, other.low_ + other.slots_.size() - 1);
    for (std::size_t i = 0; i < other.slots_.size(); ++i) {
        slots_[other.low_ + i - low_] += sign * other.slots_[i];
    }
}

DecimalSum::Digits DecimalSum::Normalized() const {
    // Carried from the lowest power up; a negative sum leaves a borrow above its highest digit.
    const auto carry = [this](int sign, Digits& out) {
        std::int64_t carried = 0;
        for (std::size_t i = low_; i < kSlots && (i < low_ + slots_.size() || carried > 0); ++i) {
            const std::int64_t value = sign * Slot(i) + carried;
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
