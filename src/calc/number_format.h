#pragma once

#include <string>

namespace tolvi {

// Where the sign of a negative number stands when it is written in display form.
enum class NegativeForm {
    Parentheses,       // (1.10)
    MinusBefore,       // -1.10
    MinusSpaceBefore,  // - 1.10
    MinusAfter,        // 1.10-
    SpaceMinusAfter,   // 1.10 -
};

// The regional number settings every conversion works with. The defaults are the ones the
// calculator is built for, and the ones to use wherever no regional settings are available.
struct NumberFormat {
    std::string decimalSeparator = ".";
    std::string groupSeparator = ",";
    int groupSize = 3;  // 0: no grouping
    int fractionDigits = 2;
    bool leadingZero = true;
    NegativeForm negativeForm = NegativeForm::MinusBefore;

    bool operator==(const NumberFormat&) const = default;
};

}  // namespace tolvi
