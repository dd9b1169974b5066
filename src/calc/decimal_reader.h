#pragma once

#include <cstdint>
#include <string>

namespace tolvi {

// Collects the digits of a decimal number as a reader scans them and turns them into the
// nearest double. Input of any length is taken: significant digits beyond what decides the
// rounding are kept as one sticky digit, and exponents saturate, so memory stays bounded.
class DecimalReader {
  public:
    void Digit(char c);  // '0'..'9'
    void Point();        // the decimal point, once
    void ExponentDigit(char c);
    void NegativeExponent() { exponentNegative_ = true; }

    bool HasDigits() const { return anyDigit_; }
    bool HasPoint() const { return seenPoint_; }

    // The value read, signed. Raises Overflow when it is too large for a double; a value too
    // small for one reads as zero.
    double ToDouble(bool negative) const;

  private:
    static constexpr std::size_t kMaxSignificantDigits = 800;
    static constexpr std::int64_t kExponentLimit = 1'000'000'000'000;

    std::string digits_;   // significant digits, leading zeros dropped
    bool sticky_ = false;  // a non-zero digit was dropped beyond kMaxSignificantDigits
    bool anyDigit_ = false;
    bool seenPoint_ = false;
    std::int64_t integerDigits_ = 0;         // significant digits before the point
    std::int64_t leadingFractionZeros_ = 0;  // zeros after the point before the first digit
    std::int64_t exponent_ = 0;              // explicit exponent, saturated
    bool exponentNegative_ = false;
};

}  // namespace tolvi
