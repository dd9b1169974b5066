#include "calc/recalculation.h"

#include <utility>

#include "calc/checked_arithmetic.h"
#include "calc/display_form.h"
#include "calc/number_reading.h"
#include "calc/number_text.h"
#include "calc/vat_formulas.h"

namespace tolvi {

namespace {

// The steps in their order; each field keeps what a step wrote into it if a later one fails.
void RecalculateFields(std::string_view amount, std::string_view rate, VatMode mode, ResultTexts& f,
                       const NumberFormat& format) {
    if (mode == VatMode::Inclusive) {
        f.unroundedVat = NumberToText(InclusiveVat(amount, rate, format), format);
        f.roundedVat = FormatForDisplay(f.unroundedVat, format);
        f.total = amount;
    }
    if (mode == VatMode::Exclusive) {
        f.unroundedVat = NumberToText(ExclusiveVat(amount, rate, format), format);
        f.roundedVat = FormatForDisplay(f.unroundedVat, format);
        f.total = NumberToText(CheckedAdd(ReadAmount(amount), ReadNumber(f.unroundedVat)), format);
    }
    // The total is not yet in display form here; the rounded VAT is, and its group separators
    // are removed by the amount reading.
    f.price = NumberToText(CheckedSub(ReadAmount(f.total), ReadAmount(f.roundedVat)), format);
    f.unformattedPrice =
        NumberToText(CheckedSub(ReadAmount(f.total), ReadNumber(f.unroundedVat)), format);
    f.price = FormatForDisplay(f.price, format);
    f.total = FormatForDisplay(f.total, format);
}

}  // namespace

Recalculation Recalculate(std::string_view amount, std::string_view rate, VatMode mode,
                          ResultTexts current, const NumberFormat& format) {
    Recalculation recalculation{std::move(current), std::nullopt};
    try {
        RecalculateFields(amount, rate, mode, recalculation.results, format);
    } catch (const CalcError& error) {
        recalculation.error = error.kind();
    }
    return recalculation;
}

}  // namespace tolvi
