#pragma once

#include <string_view>

#include "calc/number_format.h"

namespace tolvi {

// The VAT to add to an amount that excludes VAT: amount times rate, divided by 100. The amount
// is read with its commas removed; the rate is read as it stands. Returned through text.
double ExclusiveVat(std::string_view amount, std::string_view rate, const NumberFormat& format);

// The VAT contained in an amount that includes VAT: amount - amount * 100 / (100 + rate), each
// of the three intermediate results passed through text. Returned through text.
double InclusiveVat(std::string_view amount, std::string_view rate, const NumberFormat& format);

}  // namespace tolvi
