#pragma once

#include <QString>

namespace tolvi::shell {

// "http://" and the maker's web host, with no path and no trailing "/".
QString HomePageAddress();

// The maker's online VAT calculator page.
QString VatCalculatorAddress();

}  // namespace tolvi::shell
