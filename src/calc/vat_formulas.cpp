#include "calc/vat_formulas.h"

#include "calc/checked_arithmetic.h"
#include "calc/number_reading.h"
#include "calc/number_text.h"

namespace tolvi {

double ExclusiveVat(std::string_view amount, std::string_view rate, const NumberFormat& format) {
    const double rateValue = ReadNumber(rate);
    const double a = ReadAmount(amount);
    // Multiplied first, then divided: a * (rate / 100) would differ in the last digits.
    const double vat = Tested(a * rateValue / 100);
    return ThroughText(vat, format);
}

double InclusiveVat(std::string_view amount, std::string_view rate, const NumberFormat& format) {
    const double divisor = ThroughText(CheckedAdd(ReadNumber(rate), 100), format);
    const double a = ReadAmount(amount);
    const double scaled = ThroughText(CheckedMul(a, 100), format);
    const double net = ThroughText(CheckedDiv(scaled, divisor), format);
    return ThroughText(CheckedSub(a, net), format);
}

}  // namespace tolvi
