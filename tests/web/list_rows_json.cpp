// Prints the lists with their totals as JSON, for the browser tests: each list's lines as
// [mode, amount, rate], its totals rows tab-separated, and the error of a row left empty.
#include <iostream>
#include <string>

#include "tests/support/list_rows.h"
#include "tests/support/worked_recalculations.h"
#include "tests/web/json_text.h"

int main() {
    using namespace tolvi::test;
    std::string json = "[";
    for (const ListRow& row : kListRows) {
        json += json.size() > 1 ? ",\n {\"lines\": [" : "\n {\"lines\": [";
        for (const ListRowLine& line : row.lines) {
            for (int i = 0; i < line.times; ++i) {
                json += (json.back() == '[' ? "[" : ", [") + JsonQuoted(ModeName(line.mode)) +
                        ", " + JsonQuoted(line.amount) + ", " + JsonQuoted(line.rate) + "]";
            }
        }
        json += "], \"rows\": " + JsonQuoted(TotalsRows(row)) + ", \"error\": " +
                JsonQuoted(row.error) + "}";
    }
    std::cout << json << "\n]\n";
    return std::cout.good() ? 0 : 1;
}
