#include "widgets/regional_number_format.h"

namespace tolvi::widgets {

NumberFormat CalculatorNumberFormat(const QLocale& regional) {
    // Of the regional number settings Qt tells the separators; the other fields keep their
    // defaults.
    NumberFormat format;
    if (regional.decimalPoint() == QLatin1String(format.decimalSeparator.c_str()) &&
        regional.groupSeparator() == QLatin1String(format.groupSeparator.c_str())) {
        format.decimalSeparator = regional.decimalPoint().toStdString();
        format.groupSeparator = regional.groupSeparator().toStdString();
    }
    return format;
}

NumberFormat RegionalSeparators(const QLocale& regional) {
    NumberFormat format;
    format.decimalSeparator = regional.decimalPoint().toStdString();
    format.groupSeparator = regional.groupSeparator().toStdString();
    return format;
}

}  // namespace tolvi::widgets
