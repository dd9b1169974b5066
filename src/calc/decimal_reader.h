#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tolvi {

// The characters the readers of numbers share: decimal digits, the exponent letters E and D in
// either case, and the blanks the calculation's reading skips.
constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr bool IsExponentLetter(char c) {
    return c == 'E' || c == 'e' || c == 'D' || c == 'd';
}
// The blanks the calculation's reading skips wherever they stand: space, tab, line feed.
constexpr bool IsSkippedBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

// A whole number times ten to `power`, correctly rounded, where one multiplication or division
// of doubles gives that: whole numbers below 2^53 and powers from -22 to 22. Nothing elsewhere.
std::optional<double> ScaledExactly(std::uint64_t whole, std::int64_t power);

// Collects the digits of a decimal number as a reader scans them and turns them into the
// nearest double. Input of any length is taken: significant digits beyond what decides the
// rounding are kept as one sticky digit, and exponents saturate, so memory stays bounded.
class DecimalReader {
  public:
    void Digit(char c) {  // '0'..'9'
        anyDigit_ = true;
        if (digitCount_ == 0 && c == '0') {
            leadingFractionZeros_ += seenPoint_ ? 1 : 0;
            return;
        }
        integerDigits_ += seenPoint_ ? 0 : 1;
        if (digitCount_ < kMaxSignificantDigits) {
            if (digitCount_ < kWholeDigits) {
                whole_ = whole_ * 10 + static_cast<std::uint64_t>(c - '0');
            }
            digits_[digitCount_++] = c;
        } else if (c != '0') {
            sticky_ = true;
        }
    }
    void Point();  // the decimal point, once
    void ExponentDigit(char c);
    void NegativeExponent() { exponentNegative_ = true; }

    bool HasDigits() const { return anyDigit_; }
    bool HasPoint() const { return seenPoint_; }

    // The value read, signed. Raises Overflow when it is too large for a double; a value too
    // small for one reads as zero.
    double ToDouble(bool negative) const;

  private:
    static constexpr std::size_t kMaxSignificantDigits = 800;
    // Up to 15 significant digits are a whole number a double holds exactly.
    static constexpr std::size_t kWholeDigits = 15;
    static constexpr std::int64_t kExponentLimit = 1'000'000'000'000;

    double SlowPath(std::int64_t power) const;

    // Significant digits, leading zeros dropped; beyond the limit a non-zero digit sets sticky_.
    char digits_[kMaxSignificantDigits];
    std::size_t digitCount_ = 0;
    std::uint64_t whole_ = 0;  // the first kWholeDigits significant digits as a whole number
    bool sticky_ = false;
    bool anyDigit_ = false;
    bool seenPoint_ = false;
    std::int64_t integerDigits_ = 0;         // significant digits before the point
    std::int64_t leadingFractionZeros_ = 0;  // zeros after the point before the first digit
    std::int64_t exponent_ = 0;              // explicit exponent, saturated
    bool exponentNegative_ = false;
};

}  // namespace tolvi
