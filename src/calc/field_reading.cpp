#include "calc/field_reading.h"

#include <cmath>
#include <limits>

#include "calc/calc_error.h"
#include "calc/decimal_reader.h"
#include "calc/number_format.h"
#include "calc/number_reading.h"
#include "calc/number_text.h"

namespace tolvi {

namespace {

// Digits at `at`; returns how many.
std::size_t Digits(std::string_view text, std::size_t& at) {
    const std::size_t start = at;
    while (at < text.size() && IsDigit(text[at])) {
        ++at;
    }
    return at - start;
}

// The digits before the point: plain, or for an amount grouped in threes by commas.
bool IntegerPart(std::string_view text, std::size_t& at, Field field, std::size_t& count) {
    count = Digits(text, at);
    if (field != Field::Amount || at == text.size() || text[at] != ',') {
        return true;
    }
    if (count == 0 || count > 3 || text[at - count] == '0') {
        return false;
    }
    while (at < text.size() && text[at] == ',') {
        ++at;
        if (Digits(text, at) != 3) {
            return false;
        }
        count += 3;
    }
    return true;
}

bool IsWholeNumber(std::string_view text, Field field) {
    std::size_t at = 0;
    if (text[at] == '+' || text[at] == '-') {
        ++at;
    }
    std::size_t digits = 0;
    if (!IntegerPart(text, at, field, digits)) {
        return false;
    }
    if (at < text.size() && text[at] == '.') {
        ++at;
        digits += Digits(text, at);
    }
    if (digits == 0) {
        return false;
    }
    if (at < text.size() && IsExponentLetter(text[at])) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            ++at;
        }
        if (Digits(text, at) == 0) {
            return false;
        }
    }
    return at == text.size();
}

double ReadValue(std::string_view text, Field field) {
    return field == Field::Amount ? ReadAmount(text) : ReadNumber(text);
}

// Whether a text read whole means a number that is not zero but nearer zero than the smallest
// normal double. Only an exponent or some 300 digits bring a number there.
bool IsTooSmall(std::string_view text, Field field) {
    constexpr double kSmallestNormal = std::numeric_limits<double>::min();
    const std::size_t exponent = text.find_first_of("EeDd");
    if (exponent == std::string_view::npos && text.size() < 300) {
        return false;
    }
    if (text.substr(0, exponent).find_first_of("123456789") == std::string_view::npos) {
        return false;  // zero, whatever its exponent
    }
    try {
        return std::fabs(ReadValue(text, field)) < kSmallestNormal;
    } catch (const CalcError&) {
        return false;  // too large
    }
}

}  // namespace

ReadingExtent ExtentOfReading(std::string_view text, Field field) {
    while (!text.empty() && IsSkippedBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsSkippedBlank(text.back())) {
        text.remove_suffix(1);
    }
    if (text.empty()) {
        return ReadingExtent::Empty;
    }
    if (!IsWholeNumber(text, field)) {
        return ReadingExtent::Part;
    }
    return IsTooSmall(text, field) ? ReadingExtent::TooSmall : ReadingExtent::Whole;
}

FieldReading ReadField(std::string_view text, Field field) {
    FieldReading reading;
    reading.extent = ExtentOfReading(text, field);
    try {
        reading.value = NumberToText(ReadValue(text, field), NumberFormat{});
    } catch (const CalcError&) {
        // Too large for a double: the calculation says so itself.
    }
    return reading;
}

std::string ReadAsLine(Field field, std::string_view value) {
    return (field == Field::Amount ? "Amount read as " : "VAT % read as ") + std::string(value);
}

}  // namespace tolvi
