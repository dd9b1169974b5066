// The calculation core as the online calculator page sees it: the key rule, the recalculation,
// the error names and the field length limit.
#include <emscripten/bind.h>

#include <cstdint>
#include <string>
#include <utility>

#include "calc/calc_error.h"
#include "calc/field_length.h"
#include "calc/key_rule.h"
#include "calc/number_format.h"
#include "calc/recalculation.h"

namespace tolvi::web {

namespace {

// The results of one recalculation, and the name of the error that ended it early ("" when
// it ran to its end).
struct PageRecalculation {
    ResultTexts results;
    std::string error;
};

// With the default number format, which the command-line calculator uses too.
PageRecalculation RecalculateForPage(const std::string& amount, const std::string& rate,
                                     VatMode mode, ResultTexts current) {
    Recalculation done = Recalculate(amount, rate, mode, std::move(current), NumberFormat{});
    return {std::move(done.results),
            done.error ? std::string(CalcErrorName(*done.error)) : std::string()};
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
        .field("error", &PageRecalculation::error);
    function("recalculate", &RecalculateForPage);
    function("initialResults", &InitialResults);
    function("applyKeyRule", &KeyRule);
    function("maxFieldLength", &MaxFieldLength);
    function("fieldTooLongNotice", &FieldTooLongNotice);
}

}  // namespace tolvi::web
