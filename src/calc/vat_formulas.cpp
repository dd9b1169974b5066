#include "calc/vat_formulas.h"

#include "calc/checked_arithmetic.h"
#include "calc/str_r8.h"
#include "calc/val.h"

namespace tolvi {

double FN_VAT_EXC(std::string_view amount, std::string_view rate, const NumberFormat& format) {
    const double rateValue = Val(rate);
    const double a = ReadAmount(amount);
    // Multiplied first, then divided: a * (rate / 100) would differ in the last digits.
    const double vat = Tested(a * rateValue / 100);
    return ThroughText(vat, format);
}

double FN_VAT_INC(std::string_view amount, std::string_view rate, const NumberFormat& format) {
    const double divisor = ThroughText(CheckedAdd(Val(rate), 100), format);
    const double a = ReadAmount(amount);
    const double scaled = ThroughText(CheckedMul(a, 100), format);
    const double net = ThroughText(CheckedDiv(scaled, divisor), format);
    return ThroughText(CheckedSub(a, net), format);
}

}  // namespace tolvi
