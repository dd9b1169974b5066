#pragma once

namespace tolvi {

// A finite double rounded to 15 significant decimal digits: the value is
// d.dddddddddddddd times ten to `exponent`, negated when `negative`.
struct SignificantDigits {
    static constexpr int kCount = 15;

    bool negative = false;
    char digits[kCount] = {};  // '0'..'9'; all '0' for zero
    int exponent = 0;
    bool IsZero() const { return digits[0] == '0'; }
};

// Raises Overflow for an infinity and Invalid operation for a NaN.
SignificantDigits ToSignificantDigits(double value);

}  // namespace tolvi
