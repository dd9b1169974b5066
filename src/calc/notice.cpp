#include "calc/notice.h"

#include <utility>

#include "calc/field_reading.h"

namespace tolvi {

namespace {

// Why the error arose, in plain words, from how the calculation reads the two texts.
std::string_view Why(CalcErrorKind error, const FieldReading& amount, const FieldReading& rate) {
    switch (error) {
        case CalcErrorKind::TypeMismatch:
            return "the amount is not a number";
        case CalcErrorKind::Overflow:
            return amount.value.empty() ? "the amount is too large"
                   : rate.value.empty() ? "the VAT % is too large"
                                        : "the result is too large";
        case CalcErrorKind::DivisionByZero:
            return rate.value == "-100" ? "a VAT % of -100 leaves nothing to divide by"
                                        : "the calculation divided by zero";
        case CalcErrorKind::InvalidOperation:
            return rate.value == "-100" ? "an amount of 0 at a VAT % of -100 has no VAT"
                                        : "the result is not a number";
    }
    return {};
}

}  // namespace

std::vector<std::string> NoticeLines(std::string_view amount, std::string_view rate,
                                     std::optional<CalcErrorKind> error) {
    // Only a text read in part, or an error, needs the value read: most recalculations have
    // neither, and the extent alone costs far less.
    const ReadingExtent amountExtent = ExtentOfReading(amount, Field::Amount);
    const ReadingExtent rateExtent = ExtentOfReading(rate, Field::Rate);
    const bool named =
        error && !(*error == CalcErrorKind::TypeMismatch && amountExtent == ReadingExtent::Empty);
    const auto readInPart = [](ReadingExtent extent) {
        return extent == ReadingExtent::Part || extent == ReadingExtent::TooSmall;
    };
    if (!named && !readInPart(amountExtent) && !readInPart(rateExtent)) {
        return {};
    }
    const FieldReading amountRead = ReadField(amount, Field::Amount);
    const FieldReading rateRead = ReadField(rate, Field::Rate);
    std::vector<std::string> lines;
    if (named) {
        lines.push_back(std::string(CalcErrorName(*error)) + ": " +
                        std::string(Why(*error, amountRead, rateRead)));
    }
    for (const auto& [field, read] :
         {std::pair{Field::Amount, &amountRead}, {Field::Rate, &rateRead}}) {
        if (readInPart(read->extent) && !read->value.empty()) {
            lines.push_back(ReadAsLine(field, read->value));
        }
    }
    return lines;
}

}  // namespace tolvi
