#pragma once

// The worked recalculations: amount, rate and mode as typed or pasted, and the five result
// texts as every front end must show them. The core, the command-line calculator and the
// window are all checked against this one table.

#include <ostream>
#include <string_view>

#include "calc/recalculation.h"

namespace tolvi::test {

struct WorkedRecalculation {
    VatMode mode;
    std::string_view amount;
    std::string_view rate;
    std::string_view unroundedVat;
    std::string_view roundedVat;
    std::string_view total;
    std::string_view price;
    std::string_view unformattedPrice;
};

inline constexpr WorkedRecalculation kWorkedRecalculations[] = {
    {VatMode::Exclusive, "105", "17.5", "18.375", "18.38", "123.38", "105.00", "105"},
    {VatMode::Inclusive, "123.375", "17.5", "18.375", "18.38", "123.38", "105.00", "105"},
    {VatMode::Exclusive, "10000", "17.5", "1750", "1,750.00", "11,750.00", "10,000.00", "10000"},
    {VatMode::Inclusive, "10000", "17.5", "1489.36170212766", "1,489.36", "10,000.00", "8,510.64",
     "8510.63829787234"},
    {VatMode::Inclusive, "100", "20", "16.6666666666667", "16.67", "100.00", "83.33",
     "83.3333333333333"},
    {VatMode::Exclusive, "99.99", "20", "19.998", "20.00", "119.99", "99.99", "99.99"},
    {VatMode::Exclusive, "", "17.5", "0", "0.00", "0.00", "0.00", "0"},
    {VatMode::Inclusive, "117", "17.5", "17.4255319148936", "17.43", "117.00", "99.57",
     "99.5744680851064"},
    {VatMode::Inclusive, "105", "17.5", "15.6382978723404", "15.64", "105.00", "89.36",
     "89.3617021276596"},
    {VatMode::Exclusive, "1.2.3", "17.5", "0.21", "0.21", "1.41", "1.20", "1.2"},
    {VatMode::Inclusive, "117.", "17.5", "17.4255319148936", "17.43", "117.00", "99.57",
     "99.5744680851064"},
    // Texts only pasting brings: commas, exponents.
    {VatMode::Inclusive, "1,000", "0", "0", "0.00", "1,000.00", "1,000.00", "1000"},
    {VatMode::Inclusive, "1D3", "17.5", "148.936170212766", "148.94", "1,000.00", "851.06",
     "851.063829787234"},
};

inline std::string_view ModeName(VatMode mode) {
    switch (mode) {
        case VatMode::Inclusive:
            return "inclusive";
        case VatMode::Exclusive:
            return "exclusive";
        case VatMode::Neither:
            return "neither";
    }
    return "?";
}

// How a failing row is named: "exclusive "105" at "17.5" -> 18.375 | 18.38 | ...".
inline void PrintTo(const WorkedRecalculation& row, std::ostream* out) {
    *out << ModeName(row.mode) << " \"" << row.amount << "\" at \"" << row.rate << "\" -> "
         << row.unroundedVat << " | " << row.roundedVat << " | " << row.total << " | " << row.price
         << " | " << row.unformattedPrice;
}

}  // namespace tolvi::test
