// The calculation core as the online calculator page sees it: the key rule, the recalculation
// with how it read the amount and the rate, the error names and the field length limit.
#include <emscripten/bind.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "calc/calc_error.h"
#include "calc/field_length.h"
#include "calc/field_reading.h"
#include "calc/key_rule.h"
#include "calc/number_format.h"
#include "calc/recalculation.h"

namespace tolvi::web {

namespace {

// The results of one recalculation, the name of the error that ended it early ("" when it ran
// to its end), and the numbers it took from the amount and the rate where it read only a part
// of their texts ("" where it read all of a text, or nothing but blanks).
struct PageRecalculation {
    ResultTexts results;
    std::string error;
    std::string amountReadAs;
    std::string rateReadAs;
};

std::string ReadInPartAs(std::string_view text, Field field) {
    FieldReading reading = ReadField(text, field);
    return reading.extent == ReadingExtent::Part ? std::move(reading.value) : std::string();
}

// With the default number format, which the command-line calculator uses too.
PageRecalculation RecalculateForPage(const std::string& amount, const std::string& rate,
                                     VatMode mode, ResultTexts current) {
    Recalculation done = Recalculate(amount, rate, mode, std::move(current), NumberFormat{});
    return {std::move(done.results),
            done.error ? std::string(CalcErrorName(*done.error)) : std::string(),
            ReadInPartAs(amount, Field::Amount), ReadInPartAs(rate, Field::Rate)};
}

// The result texts the window starts with.
ResultTexts InitialResults() {
    return ResultTexts{};
}

std::uint16_t KeyRule(std::uint16_t code) {
    return ApplyKeyRule(code);
}

int MaxFieldLength() {
    return kMaxFieldLength;
}

}  // namespace

EMSCRIPTEN_BINDINGS(tolvi_calculator) {
    using namespace emscripten;
    enum_<VatMode>("VatMode")
        .value("Inclusive", VatMode::Inclusive)
        .value("Exclusive", VatMode::Exclusive)
        .value("Neither", VatMode::Neither);
    value_object<ResultTexts>("ResultTexts")
        .field("unroundedVat", &ResultTexts::unroundedVat)
        .field("roundedVat", &ResultTexts::roundedVat)
        .field("total", &ResultTexts::total)
        .field("price", &ResultTexts::price)
        .field("unformattedPrice", &ResultTexts::unformattedPrice);
    value_object<PageRecalculation>("PageRecalculation")
        .field("results", &PageRecalculation::results)
        .field("error", &PageRecalculation::error)
        .field("amountReadAs", &PageRecalculation::amountReadAs)
        .field("rateReadAs", &PageRecalculation::rateReadAs);
    function("recalculate", &RecalculateForPage);
    function("initialResults", &InitialResults);
    function("applyKeyRule", &KeyRule);
    function("maxFieldLength", &MaxFieldLength);
    function("fieldTooLongNotice", &FieldTooLongNotice);
}

}  // namespace tolvi::web
