#include "calc/recalculation.h"

#include "calc/checked_arithmetic.h"
#include "calc/format_number.h"
#include "calc/str_r8.h"
#include "calc/val.h"
#include "calc/vat_formulas.h"

namespace tolvi {

void Text_amount_Change(CalculatorFields& fields, const NumberFormat& format) {
    if (fields.InclusiveSelected()) {
        fields.SetVatCaption(StrR8(FN_VAT_INC(fields.Amount(), fields.Rate(), format), format));
        fields.SetTotal(fields.Amount());
    }
    if (fields.ExclusiveSelected()) {
        fields.SetVatCaption(StrR8(FN_VAT_EXC(fields.Amount(), fields.Rate(), format), format));
        fields.SetTotal(
            StrR8(CheckedAdd(ReadAmount(fields.Amount()), Val(fields.VatCaption())), format));
    }
    // The total is not yet in display form here; the rounded VAT is, and its group separators
    // are removed by the amount reading.
    fields.SetPrice(
        StrR8(CheckedSub(ReadAmount(fields.Total()), ReadAmount(fields.RoundedVat())), format));
    fields.SetUnformattedPrice(
        StrR8(CheckedSub(ReadAmount(fields.Total()), Val(fields.VatCaption())), format));
    fields.SetPrice(FormatNumber(fields.Price(), format));
    fields.SetTotal(FormatNumber(fields.Total(), format));
}

void Text_vat_result_Change(CalculatorFields& fields, const NumberFormat& format) {
    fields.SetRoundedVat(FormatNumber(fields.VatCaption(), format));
}

}  // namespace tolvi
