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

// Rounds to nearest, ties to even, as the C library's %.14e does. Raises Overflow for an
// infinity and Invalid operation for a NaN.
SignificantDigits ToSignificantDigits(double value);

// Splits a text such as "1.23e+05" into its digits ("123", at most `capacity`) and its
// exponent. Returns the number of digits.
int SplitScientific(const char* text, const char* end, char* digits, int capacity, int& exponent);

}  // namespace tolvi
