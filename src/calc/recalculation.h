#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calc_error.h"

namespace tolvi {

// Whether the amount includes VAT, excludes it, or (only before a mode is chosen) neither.
enum class VatMode { Inclusive, Exclusive, Neither };

// The texts of the five result fields, with the ones the window starts with.
struct ResultTexts {
    std::string unroundedVat = "0.00";  // the VAT as NumberToText writes it
    std::string roundedVat;             // the VAT in display form
    std::string total;                  // the amount with VAT, in display form
    std::string price;                  // the amount without VAT, in display form
    std::string unformattedPrice = "0.00";

    bool operator==(const ResultTexts&) const = default;
};

struct Recalculation {
    ResultTexts results;
    std::optional<CalcErrorKind> error;  // what ended the recalculation early, if anything
    std::vector<std::string> notice;     // the notice's lines, top to bottom (calc/notice.h)
};

// The one call of every recalculation: recomputes the five results from the amount, the rate
// and the mode, in the calculator's own number format, and gives the notice's lines with them.
// `current` are the result fields as they stand: with neither mode chosen the recalculation
// works on them, and an error that ends it early leaves the fields it had not written yet as
// they were there; the fields written before the error keep their new texts.
Recalculation Recalculate(std::string_view amount, std::string_view rate, VatMode mode,
                          ResultTexts current = {});

}  // namespace tolvi
