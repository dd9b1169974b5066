#pragma once

#include <istream>
#include <ostream>

#include "calc/number_format.h"

namespace tolvi {

// Reads lines MODE<TAB>AMOUNT<TAB>RATE (MODE "inclusive" or "exclusive", a trailing carriage
// return dropped) and writes for each one line
// VAT<TAB>ROUNDED VAT<TAB>TOTAL<TAB>PRICE<TAB>UNFORMATTED PRICE<TAB>ERROR.
// A line of another form gives five empty fields and "Bad input line". Streams line by line.
// Returns the exit status: 0, or 2 when any line was bad.
int RunBatch(std::istream& in, std::ostream& out, const NumberFormat& format);

}  // namespace tolvi
