#include "calc/fresh_recalculation.h"

#include "calc/recalculation.h"

namespace tolvi {

RecalculationOutcome RecalculateFresh(VatMode mode, std::string_view amount, std::string_view rate,
                                      const NumberFormat& format) {
    FieldTexts initial;
    initial.amount = amount;
    initial.rate = rate;
    initial.mode = mode;
    RecordFields record(format, std::move(initial));
    std::optional<CalcErrorKind> error;
    try {
        Text_amount_Change(record, format);
    } catch (const CalcError& e) {
        error = e.kind();
    }
    return {std::move(record.texts), error};
}

}  // namespace tolvi
