#include "calc/field_reading.h"

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

}  // namespace

ReadingExtent ExtentOfReading(std::string_view text, Field field) {
    while (!text.empty() && IsSkippedBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsSkippedBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text.empty()                 ? ReadingExtent::Empty
           : IsWholeNumber(text, field) ? ReadingExtent::Whole
                                        : ReadingExtent::Part;
}

FieldReading ReadField(std::string_view text, Field field) {
    FieldReading reading;
    reading.extent = ExtentOfReading(text, field);
    try {
        const double value = field == Field::Amount ? ReadAmount(text) : ReadNumber(text);
        reading.value = NumberToText(value, NumberFormat{});
    } catch (const CalcError&) {
        // Too large for a double: the calculation says so itself.
    }
    return reading;
}

}  // namespace tolvi
