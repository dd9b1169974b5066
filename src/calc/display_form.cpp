#include "calc/display_form.h"

#include "calc/calc_error.h"
#include "calc/decimal_reader.h"
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
// as the digits of a whole number of units of the last place (no leading zeros; "0" for zero).
std::string RoundToUnits(const SignificantDigits& s, int fractionDigits) {
    if (s.IsZero()) {
        return "0";
    }
    // How many of the significant digits lie before the rounding position.
    const long keep = static_cast<long>(s.exponent) + 1 + fractionDigits;
    if (keep <= 0) {
        return keep == 0 && s.digits[0] >= '5' ? "1" : "0";
    }
    if (keep >= SignificantDigits::kCount) {
        std::string units(s.digits, SignificantDigits::kCount);
        units.append(static_cast<std::size_t>(keep - SignificantDigits::kCount), '0');
        return units;
    }
    std::string units(s.digits, static_cast<std::size_t>(keep));
    if (s.digits[keep] >= '5') {
        auto i = units.size();
        while (i > 0 && units[i - 1] == '9') {
            units[--i] = '0';
        }
        if (i == 0) {
            units.insert(units.begin(), '1');
        } else {
            ++units[i - 1];
        }
    }
    return units;
}

std::string Grouped(std::string_view integerDigits, const NumberFormat& format) {
    if (format.groupSize <= 0 || format.groupSeparator.empty()) {
        return std::string(integerDigits);
    }
    const auto size = static_cast<std::size_t>(format.groupSize);
    std::string text;
    text.reserve(integerDigits.size() + integerDigits.size() / size * format.groupSeparator.size());
    std::size_t firstGroup = integerDigits.size() % size;
    if (firstGroup == 0) {
        firstGroup = size;
    }
    text += integerDigits.substr(0, firstGroup);
    for (std::size_t at = firstGroup; at < integerDigits.size(); at += size) {
        text += format.groupSeparator;
        text += integerDigits.substr(at, size);
    }
    return text;
}

std::string WithNegativeForm(const std::string& number, NegativeForm form) {
    switch (form) {
        case NegativeForm::Parentheses:
            return "(" + number + ")";
        case NegativeForm::MinusBefore:
            return "-" + number;
        case NegativeForm::MinusSpaceBefore:
            return "- " + number;
        case NegativeForm::MinusAfter:
            return number + "-";
        case NegativeForm::SpaceMinusAfter:
            return number + " -";
    }
    return "-" + number;
}

}  // namespace

std::string FormatForDisplay(std::string_view text, const NumberFormat& format) {
    const SignificantDigits s = ToSignificantDigits(ReadDisplayNumber(text, format));
    const int fractionDigits = format.fractionDigits > 0 ? format.fractionDigits : 0;
    std::string units = RoundToUnits(s, fractionDigits);
    const bool isZero = units == "0";

    const auto fraction = static_cast<std::size_t>(fractionDigits);
    if (units.size() <= fraction) {
        units.insert(0, fraction + 1 - units.size(), '0');
    }
    const std::string_view all(units);
    const std::string_view integerPart = all.substr(0, all.size() - fraction);

    std::string number;
    if (integerPart != "0" || format.leadingZero) {
        number = Grouped(integerPart, format);
    }
    if (fraction > 0) {
        number += format.decimalSeparator;
        number += all.substr(all.size() - fraction);
    }
    if (s.negative && !isZero) {
        return WithNegativeForm(number, format.negativeForm);
    }
    return number;
}

}  // namespace tolvi
