#pragma once

#include <QLocale>

#include "calc/number_format.h"

namespace tolvi::widgets {

// The number format the calculator works with: the regional settings where they write numbers
// with "." as decimal separator and "," as group separator, the calculator's defaults
// otherwise. The input fields accept only "." as a decimal point and the amount reading removes
// only ",", so any other separators would give plainly wrong results.
NumberFormat CalculatorNumberFormat(const QLocale& regional);

// The decimal and group separators of the regional settings, as they write numbers; the other
// fields keep the calculator's defaults. What the user types and pastes is read with these.
NumberFormat RegionalSeparators(const QLocale& regional);

}  // namespace tolvi::widgets
