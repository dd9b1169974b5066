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
                                     const Recalculation& done) {
    const FieldReading amountRead = ReadField(amount, Field::Amount);
    const FieldReading rateRead = ReadField(rate, Field::Rate);
    std::vector<std::string> lines;
    if (done.error && !(*done.error == CalcErrorKind::TypeMismatch &&
                        amountRead.extent == ReadingExtent::Empty)) {
        lines.push_back(std::string(CalcErrorName(*done.error)) + ": " +
                        std::string(Why(*done.error, amountRead, rateRead)));
    }
    for (const auto& [field, read] :
         {std::pair{Field::Amount, &amountRead}, {Field::Rate, &rateRead}}) {
        const bool readInPart =
            read->extent == ReadingExtent::Part || read->extent == ReadingExtent::TooSmall;
        if (readInPart && !read->value.empty()) {
            lines.push_back(ReadAsLine(field, read->value));
        }
    }
    return lines;
}

}  // namespace tolvi
