// The calculation core as the online calculator page sees it: the key rule, the recalculation
// over the page's field texts, the error names and the field length limit.
#include <emscripten/bind.h>

#include <cstdint>
#include <string>
#include <utility>

#include "calc/calc_error.h"
#include "calc/field_length.h"
#include "calc/key_rule.h"
#include "calc/number_format.h"
#include "calc/recalculation.h"
#include "calc/record_fields.h"

namespace tolvi::web {

namespace {

// The fields after one recalculation, and the name of the error that ended it early ("" when
// it ran to its end).
struct PageOutcome {
    FieldTexts fields;
    std::string error;
};

// Text_amount_Change over the page's field texts as they stand, with the default number format
// the command-line calculator uses too. Fields written before an error keep their new texts.
PageOutcome Recalculate(FieldTexts texts) {
    const NumberFormat format;
    RecordFields record(format, std::move(texts));
    PageOutcome outcome;
    try {
        Text_amount_Change(record, format);
    } catch (const CalcError& error) {
        outcome.error = std::string(CalcErrorName(error.kind()));
    }
    outcome.fields = std::move(record.texts);
    return outcome;
}

// The texts the window starts with.
FieldTexts InitialFields() {
    return FieldTexts{};
}

std::uint16_t KeyRule(std::uint16_t keyAscii) {
    return ApplyKeyRule(keyAscii);
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
    value_object<FieldTexts>("FieldTexts")
        .field("amount", &FieldTexts::amount)
        .field("rate", &FieldTexts::rate)
        .field("mode", &FieldTexts::mode)
        .field("vatCaption", &FieldTexts::vatCaption)
        .field("roundedVat", &FieldTexts::roundedVat)
        .field("total", &FieldTexts::total)
        .field("price", &FieldTexts::price)
        .field("unformattedPrice", &FieldTexts::unformattedPrice);
    value_object<PageOutcome>("PageOutcome")
        .field("fields", &PageOutcome::fields)
        .field("error", &PageOutcome::error);
    function("recalculate", &Recalculate);
    function("initialFields", &InitialFields);
    function("applyKeyRule", &KeyRule);
    function("maxFieldLength", &MaxFieldLength);
    function("fieldTooLongNotice", &FieldTooLongNotice);
}

}  // namespace tolvi::web
