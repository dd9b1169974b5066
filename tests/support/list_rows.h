#pragma once

// Lists with their totals both ways, as the core gives them, the page shows them and
// `tolvi-vat-cli --totals` writes them. Every figure was worked out by hand.

#include <array>
#include <string>
#include <string_view>

#include "calc/recalculation.h"

namespace tolvi::test {

struct ListRowLine {
    VatMode mode;
    std::string_view amount;
    std::string_view rate;
    int times = 0;  // how many such lines; 0 after the last
};

struct ListRow {
    std::array<ListRowLine, 4> lines;
    // The totals table's rows after its header, its fields separated by '|'.
    std::string_view rows;
    // The error that ends every row whose figures are empty, or "".
    std::string_view error = "";
};

inline constexpr std::string_view kTotalsHeader =
    "mode\trate\tlines\tamount\tvat_per_line\tvat_on_total\tvat_difference\tprice_per_line\t"
    "price_on_total\tprice_difference\ttotal_per_line\ttotal_on_total\ttotal_difference\n";

inline constexpr VatMode kEx = VatMode::Exclusive;
inline constexpr VatMode kIn = VatMode::Inclusive;

inline constexpr ListRow kListRows[] = {
    // 0.066666 rounds up on each line, 0.199998 once on the total.
    {{{{kEx, "1.1111", "6", 1}, {kEx, "1.1111", "6.0", 1}, {kEx, "1.1111", "+6", 1}}},
     "exclusive|6|3|3.3333|0.21|0.20|-0.01|3.33|3.33|0.00|3.54|3.53|-0.01\n"
     "all||3|3.3333|0.21|0.20|-0.01|3.33|3.33|0.00|3.54|3.53|-0.01\n"},
    // 0.331666... rounds down on each line; 71.64 / 6 is 11.94.
    {{{{kIn, "1.99", "20", 36}}},
     "inclusive|20|36|71.64|11.88|11.94|0.06|59.76|59.70|-0.06|71.64|71.64|0.00\n"
     "all||36|71.64|11.88|11.94|0.06|59.76|59.70|-0.06|71.64|71.64|0.00\n"},
    // Rates by value (7 before 19), exclusive before inclusive; 1.995 rounds up on each line,
    // the total of 21 has 3.99 exactly.
    {{{{kIn, "17.5", "17.5", 1},
       {kEx, "10.5", "19", 2},
       {kIn, "2.5", "7", 1},
       {kEx, "1,000", "7", 1}}},
     "exclusive|7|1|1000|70.00|70.00|0.00|1,000.00|1,000.00|0.00|1,070.00|1,070.00|0.00\n"
     "exclusive|19|2|21|4.00|3.99|-0.01|21.00|21.00|0.00|25.00|24.99|-0.01\n"
     "inclusive|7|1|2.5|0.16|0.16|0.00|2.34|2.34|0.00|2.50|2.50|0.00\n"
     "inclusive|17.5|1|17.5|2.61|2.61|0.00|14.89|14.89|0.00|17.50|17.50|0.00\n"
     "all||5|1041|76.77|76.76|-0.01|1,038.23|1,038.23|0.00|1,115.00|1,114.99|-0.01\n"},
    // Two amounts of 10^308 sum beyond the largest double. The cents per line sum beyond 15
    // digits exactly; the calculation reads the summed amount to 15.
    {{{{kEx, "1e308", "0", 2}, {kEx, "10,000,000,000,000", "1", 1}, {kEx, "0.01", "1", 2}}},
     "exclusive|0|2||||||||||\n"
     "exclusive|1|3|10000000000000|100,000,000,000.00|100,000,000,000.00|0.00|"
     "10,000,000,000,000.02|10,000,000,000,000.00|-0.02|10,100,000,000,000.02|"
     "10,100,000,000,000.00|-0.02\n"
     "all||5||||||||||\n",
     "Overflow"},
};

// The rows as the table writes them, with tabs.
inline std::string TotalsRows(const ListRow& row) {
    std::string rows(row.rows);
    for (char& c : rows) {
        c = c == '|' ? '\t' : c;
    }
    return rows;
}

}  // namespace tolvi::test
