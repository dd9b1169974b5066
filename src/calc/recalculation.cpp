#include "calc/recalculation.h"

#include <optional>
#include <string>
#include <utility>

#include "calc/checked_arithmetic.h"
#include "calc/display_form.h"
#include "calc/notice.h"
#include "calc/number_format.h"
#include "calc/number_reading.h"
#include "calc/number_text.h"
#include "calc/vat_formulas.h"

namespace tolvi {

namespace {

// The steps in their order; each field keeps what a step wrote into it if a later one fails.
// Where a step reads a text an earlier step wrote from a number, it takes that number
// (ThroughText, DisplayFormOf): the batch benchmark takes 33% more CPU reading the texts. A
// text NumberToText writes holds no comma, so its amount reading is its value through text.
void RecalculateFields(std::string_view amount, std::string_view rate, VatMode mode,
                       ResultTexts& f) {
    const NumberFormat format;    // the calculator's own, which no setting changes
    std::optional<double> vat;    // the number behind f.unroundedVat, once written here
    std::optional<double> total;  // the number behind f.total, once written here from one
    if (mode == VatMode::Inclusive) {
        vat = InclusiveVat(amount, rate, format);
        f.unroundedVat = NumberToText(*vat, format);
        f.roundedVat = DisplayFormOf(*vat, format);
        f.total = amount;
    }
    if (mode == VatMode::Exclusive) {
        vat = ExclusiveVat(amount, rate, format);
        f.unroundedVat = NumberToText(*vat, format);
        f.roundedVat = DisplayFormOf(*vat, format);
        total = CheckedAdd(ReadAmount(amount), ThroughText(*vat, format));
        f.total = NumberToText(*total, format);
    }
    // The total is not yet in display form here; the rounded VAT is, and its group separators
    // are removed by the amount reading.
    const double totalRead = total ? ThroughText(*total, format) : ReadAmount(f.total);
    const double price = CheckedSub(totalRead, ReadAmount(f.roundedVat));
    f.price = NumberToText(price, format);
    const double vatRead = vat ? ThroughText(*vat, format) : ReadNumber(f.unroundedVat);
    f.unformattedPrice = NumberToText(CheckedSub(totalRead, vatRead), format);
    f.price = DisplayFormOf(price, format);
    f.total = total ? DisplayFormOf(*total, format) : FormatForDisplay(f.total, format);
}

}  // namespace

Recalculation Recalculate(std::string_view amount, std::string_view rate, VatMode mode,
                          ResultTexts current) {
    Recalculation recalculation{std::move(current), std::nullopt, {}};
    try {
        RecalculateFields(amount, rate, mode, recalculation.results);
    } catch (const CalcError& error) {
        recalculation.error = error.kind();
    }
    recalculation.notice = NoticeLines(amount, rate, recalculation.error);
    return recalculation;
}

}  // namespace tolvi
