#include "calc/display_form.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

#include "calc/calc_error.h"
#include "calc/decimal_reader.h"
#include "calc/number_text.h"
#include "calc/significant_digits.h"

namespace tolvi {

namespace {

constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

[[noreturn]] void Mismatch() {
    throw CalcError(CalcErrorKind::TypeMismatch);
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool Consume(std::string_view& text, std::string_view token) {
    if (token.empty() || !text.starts_with(token)) {
        return false;
    }
    text.remove_prefix(token.size());
    return true;
}

// Takes the format's own way of writing a negative number off the text.
bool ConsumeNegativeForm(std::string_view& text, NegativeForm form) {
    switch (form) {
        case NegativeForm::Parentheses:
            if (text.size() >= 2 && text.front() == '(' && text.back() == ')') {
                text = TrimBlanks(text.substr(1, text.size() - 2));
                return true;
            }
            return false;
        case NegativeForm::MinusAfter:
        case NegativeForm::SpaceMinusAfter:
            if (!text.empty() && text.back() == '-') {
                text = TrimBlanks(text.substr(0, text.size() - 1));
                return true;
            }
            return false;
        case NegativeForm::MinusBefore:
        case NegativeForm::MinusSpaceBefore:
            return false;
    }
    return false;
}

double ReadDisplayNumber(std::string_view text, const NumberFormat& format) {
    text = TrimBlanks(text);
    bool negative = ConsumeNegativeForm(text, format.negativeForm);
    if (!negative && !text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text = TrimBlanks(text.substr(1));
    }

    DecimalReader reader;
    bool previousWasDigit = false;
    while (!text.empty()) {
        const char c = text.front();
        if (IsDigit(c)) {
            reader.Digit(c);
            text.remove_prefix(1);
            previousWasDigit = true;
        } else if (!reader.HasPoint() && Consume(text, format.decimalSeparator)) {
            reader.Point();
            previousWasDigit = false;
        } else if (!reader.HasPoint() && previousWasDigit && !format.groupSeparator.empty() &&
                   text.starts_with(format.groupSeparator) &&
                   text.size() > format.groupSeparator.size() &&
                   IsDigit(text[format.groupSeparator.size()])) {
            text.remove_prefix(format.groupSeparator.size());
            previousWasDigit = false;
        } else {
            break;
        }
    }
    if (!reader.HasDigits()) {
        Mismatch();
    }
    if (!text.empty() && IsExponentLetter(text.front())) {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
            if (text.front() == '-') {
                reader.NegativeExponent();
            }
            text.remove_prefix(1);
        }
        if (text.empty() || !IsDigit(text.front())) {
            Mismatch();
        }
        while (!text.empty() && IsDigit(text.front())) {
            reader.ExponentDigit(text.front());
            text.remove_prefix(1);
        }
    }
    if (!text.empty()) {
        Mismatch();
    }
    return reader.ToDouble(negative);
}

// The value's 15 significant digits rounded to `fractionDigits` places, halves away from zero,
// as a whole number of units of the last place: `whole` followed by `zeros` zeros.
struct Units {
    std::uint64_t whole = 0;
    long zeros = 0;
};

Units RoundToUnits(const SignificantDigits& s, int fractionDigits) {
    constexpr long kCount = SignificantDigits::kCount;
    // How many of the significant digits lie before the rounding position.
    const long keep = static_cast<long>(s.exponent) + 1 + fractionDigits;
    if (s.IsZero() || keep < 0) {
        return {};
    }
    if (keep >= kCount) {
        return {s.whole, keep - kCount};
    }
    std::uint64_t dropped = 1;  // ten to the number of digits dropped
    for (long i = keep; i < kCount; ++i) {
        dropped *= 10;
    }
    const std::uint64_t whole = s.whole / dropped;
    return {s.whole % dropped >= dropped / 2 ? whole + 1 : whole, 0};
}

// What stands before and after a negative number in display form.
std::pair<std::string_view, std::string_view> NegativeSigns(NegativeForm form) {
    switch (form) {
        case NegativeForm::Parentheses:
            return {"(", ")"};
        case NegativeForm::MinusBefore:
            return {"-", ""};
        case NegativeForm::MinusSpaceBefore:
            return {"- ", ""};
        case NegativeForm::MinusAfter:
            return {"", "-"};
        case NegativeForm::SpaceMinusAfter:
            return {"", " -"};
    }
    return {"-", ""};
}

// The display form of a value's 15 significant digits.
std::string DisplayDigits(const SignificantDigits& s, const NumberFormat& format) {
    const auto fraction = static_cast<std::size_t>(std::max(format.fractionDigits, 0));
    const Units units = RoundToUnits(s, static_cast<int>(fraction));
    // The units' digits, with zeros in front up to one before the decimal separator.
    std::string digits = std::to_string(units.whole);
    digits.append(static_cast<std::size_t>(units.zeros), '0');
    if (digits.size() <= fraction) {
        digits.insert(0, fraction + 1 - digits.size(), '0');
    }
    const std::string_view integer(digits.data(), digits.size() - fraction);

    std::string number;
    if (integer != "0" || format.leadingZero) {
        const bool grouped = format.groupSize > 0 && !format.groupSeparator.empty();
        const auto size = static_cast<std::size_t>(format.groupSize);
        for (std::size_t i = 0; i < integer.size(); ++i) {
            if (grouped && i > 0 && (integer.size() - i) % size == 0) {
                number += format.groupSeparator;
            }
            number += integer[i];
        }
    }
    if (fraction > 0) {
        number += format.decimalSeparator;
        number.append(digits, integer.size());
    }
    if (units.whole == 0 || !s.negative) {
        return number;
    }
    const auto [before, after] = NegativeSigns(format.negativeForm);
    return std::string(before) + number + std::string(after);
}

}  // namespace

std::string FormatForDisplay(std::string_view text, const NumberFormat& format) {
    return DisplayDigits(ToSignificantDigits(ReadDisplayNumber(text, format)), format);
}

std::string DisplayFormOf(double value, const NumberFormat& format) {
    if (format.decimalSeparator != ".") {
        return FormatForDisplay(NumberToText(value, format), format);
    }
    // The text holds the value's 15 significant digits, and reading them gives a double with
    // the same 15 digits, unless they lie beyond the largest double.
    const SignificantDigits s = ToSignificantDigits(value);
    constexpr std::uint64_t kLargestDouble = 179'769'313'486'231;  // 1.79769313486231E+308
    if (s.exponent == 308 && s.whole > kLargestDouble) {
        throw CalcError(CalcErrorKind::Overflow);
    }
    return DisplayDigits(s, format);
}

}  // namespace tolvi
