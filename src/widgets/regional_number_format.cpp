#include "widgets/regional_number_format.h"

namespace tolvi::widgets {

NumberFormat RegionalSeparators(const QLocale& regional) {
    NumberFormat format;
    format.decimalSeparator = regional.decimalPoint().toStdString();
    format.groupSeparator = regional.groupSeparator().toStdString();
    return format;
}

}  // namespace tolvi::widgets
