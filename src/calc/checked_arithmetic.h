#pragma once

// Double arithmetic whose every result is tested before it is used: an infinite result raises
// Overflow, a NaN raises Invalid operation, a division by zero raises Division by zero (or
// Invalid operation for 0/0).

namespace tolvi {

double Tested(double result);
double CheckedAdd(double a, double b);
double CheckedSub(double a, double b);
double CheckedMul(double a, double b);
double CheckedDiv(double dividend, double divisor);

}  // namespace tolvi
