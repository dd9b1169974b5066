#pragma once

#include "calc/calculator_fields.h"
#include "calc/number_format.h"

namespace tolvi {

// Recomputes the VAT caption, rounded VAT, total, price and unformatted price from the amount,
// the rate and the mode. A CalcError ends it at the step that raised it: fields written before
// keep their new texts, the others keep theirs.
void Text_amount_Change(CalculatorFields& fields, const NumberFormat& format);

// Keeps the rounded VAT in step with the VAT caption.
void Text_vat_result_Change(CalculatorFields& fields, const NumberFormat& format);

}  // namespace tolvi
