#pragma once

#include <optional>
#include <string_view>

#include "calc/calc_error.h"
#include "calc/number_format.h"
#include "calc/record_fields.h"

namespace tolvi {

struct RecalculationOutcome {
    FieldTexts fields;                   // as they stand when the recalculation ended
    std::optional<CalcErrorKind> error;  // the error that ended it early, if any
};

// One recalculation from the window's initial field texts, with the amount and rate set as if
// pasted (no key rule).
RecalculationOutcome RecalculateFresh(VatMode mode, std::string_view amount, std::string_view rate,
                                      const NumberFormat& format);

}  // namespace tolvi
