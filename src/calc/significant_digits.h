#pragma once

#include <cstdint>

namespace tolvi {

// A finite double rounded to 15 significant decimal digits, to nearest, ties to even: the value
// is `whole` times ten to (exponent - 14), negated when `negative`.
struct SignificantDigits {
    static constexpr int kCount = 15;

    bool negative = false;
    std::uint64_t whole = 0;  // from 10^14 up to 10^15 - 1, or 0 for zero
    int exponent = 0;         // the power of ten of the first digit

    bool IsZero() const { return whole == 0; }
    // The fifteen digits, '0' to '9', into `digits`.
    void WriteDigits(char* digits) const;
};

// Raises Overflow for an infinity and Invalid operation for a NaN.
SignificantDigits ToSignificantDigits(double value);

// The same digits by the exact conversion alone, without the faster way ToSignificantDigits
// takes for everyday magnitudes; for checking that way against.
SignificantDigits ExactSignificantDigits(double value);

}  // namespace tolvi
