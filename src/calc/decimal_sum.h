#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "calc/significant_digits.h"

namespace tolvi {

// An exact sum of decimal numbers, digit by digit: no binary fraction, no rounding. It holds any
// sum of numbers a double's 15 significant digits or a display form can write, from the last
// digit of the smallest double up to far beyond the largest.
class DecimalSum {
  public:
    // Adds a number's 15 significant digits, with their sign.
    void Add(const SignificantDigits& digits);
    // Adds or subtracts a number written plainly or in display form with the calculator's
    // separators: an optional minus sign, digits with group commas, an optional point with
    // fraction digits ("-1,234.56"). Raises Type mismatch for any other text.
    void Add(std::string_view text, int sign = 1);
    void Add(const DecimalSum& other, int sign = 1);

    // The sum with every digit, "." as decimal point, no grouping, no exponent ("-1234.5",
    // "0"): a text the calculation reads exactly as far as a double can hold it.
    std::string Plain() const;
    // The sum with `fractionDigits` fraction digits (cut, not rounded: give at least as many
    // as any number added had), the integer digits grouped in threes by `groupSeparator`
    // unless it is empty, a minus sign in front when negative and not zero.
    std::string Fixed(int fractionDigits, std::string_view groupSeparator) const;

  private:
    static constexpr int kLowest = -340;  // the last of the smallest double's 15 digits: -338
    static constexpr int kHighest = 340;  // the largest double's first digit: 308
    static constexpr std::size_t kSlots = kHighest - kLowest + 1;

    // The sum's sign and its digits 0 to 9, each at its power of ten less kLowest.
    struct Digits {
        bool negative = false;
        std::array<std::uint8_t, kSlots> digit{};
    };
    Digits Normalized() const;
    // Makes room for the slots from `low` to `high`.
    void Cover(std::size_t low, std::size_t high);
    std::int64_t Slot(std::size_t slot) const {
        return slot >= low_ && slot - low_ < slots_.size() ? slots_[slot - low_] : 0;
    }

    // Digit sums at each power of ten less kLowest, from the slot low_ up, not carried: a slot
    // takes 9 from each of 10^17 numbers before it could overflow. Only the powers the numbers
    // added reach take room.
    std::vector<std::int64_t> slots_;
    std::size_t low_ = 0;
};

}  // namespace tolvi
