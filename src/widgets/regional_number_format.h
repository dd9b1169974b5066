#pragma once

#include <QLocale>

#include "calc/number_format.h"

namespace tolvi::widgets {

// The decimal and group separators of the regional settings, as they write numbers; the other
// fields keep the calculator's defaults. What the user types and pastes is read with these.
NumberFormat RegionalSeparators(const QLocale& regional);

}  // namespace tolvi::widgets
