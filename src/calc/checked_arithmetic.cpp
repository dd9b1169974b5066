#include "calc/checked_arithmetic.h"

#include <cmath>

#include "calc/calc_error.h"

namespace tolvi {

double Tested(double result) {
    if (std::isnan(result)) {
        throw CalcError(CalcErrorKind::InvalidOperation);
    }
    if (std::isinf(result)) {
        throw CalcError(CalcErrorKind::Overflow);
    }
    return result;
}

double CheckedAdd(double a, double b) {
    return Tested(a + b);
}
double CheckedSub(double a, double b) {
    return Tested(a - b);
}
double CheckedMul(double a, double b) {
    return Tested(a * b);
}

double CheckedDiv(double dividend, double divisor) {
    if (divisor == 0.0) {
        throw CalcError(dividend == 0.0 || std::isnan(dividend) ? CalcErrorKind::InvalidOperation
                                                                : CalcErrorKind::DivisionByZero);
    }
    return Tested(dividend / divisor);
}

}  // namespace tolvi
