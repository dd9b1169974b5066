// Prints the worked recalculations as JSON, for the browser tests: one object per row with the
// mode, the amount and rate as typed or pasted, and the five result texts.
#include <iostream>
#include <string>

#include "tests/support/worked_recalculations.h"
#include "tests/web/json_text.h"

int main() {
    using tolvi::test::JsonQuoted;
    using tolvi::test::kWorkedRecalculations;
    std::string json = "[\n";
    bool first = true;
    for (const auto& row : kWorkedRecalculations) {
        json += first ? "  {" : ",\n  {";
        first = false;
        json += "\"mode\": " + JsonQuoted(tolvi::test::ModeName(row.mode));
        json += ", \"amount\": " + JsonQuoted(row.amount);
        json += ", \"rate\": " + JsonQuoted(row.rate);
        json += ", \"unroundedVat\": " + JsonQuoted(row.unroundedVat);
        json += ", \"roundedVat\": " + JsonQuoted(row.roundedVat);
        json += ", \"total\": " + JsonQuoted(row.total);
        json += ", \"price\": " + JsonQuoted(row.price);
        json += ", \"unformattedPrice\": " + JsonQuoted(row.unformattedPrice) + "}";
    }
    json += "\n]\n";
    std::cout << json;
    return std::cout.good() ? 0 : 1;
}
