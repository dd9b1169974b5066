// Prints the worked recalculations as JSON, for the browser tests: one object per row with the
// mode, the amount and rate as typed or pasted, and the five result texts.
#include <iostream>
#include <string>
#include <string_view>

#include "tests/support/worked_recalculations.h"

namespace {

std::string Quoted(std::string_view text) {
    std::string json = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            constexpr char kHex[] = "0123456789abcdef";
            json += "\\u00";
            json += kHex[(c >> 4) & 0xf];
            json += kHex[c & 0xf];
        } else {
            json += c;  // UTF-8 passes as it is
        }
    }
    return json + '"';
}

}  // namespace

int main() {
    using tolvi::test::kWorkedRecalculations;
    std::string json = "[\n";
    bool first = true;
    for (const auto& row : kWorkedRecalculations) {
        json += first ? "  {" : ",\n  {";
        first = false;
        json += "\"mode\": " + Quoted(tolvi::test::ModeName(row.mode));
        json += ", \"amount\": " + Quoted(row.amount);
        json += ", \"rate\": " + Quoted(row.rate);
        json += ", \"unroundedVat\": " + Quoted(row.unroundedVat);
        json += ", \"roundedVat\": " + Quoted(row.roundedVat);
        json += ", \"total\": " + Quoted(row.total);
        json += ", \"price\": " + Quoted(row.price);
        json += ", \"unformattedPrice\": " + Quoted(row.unformattedPrice) + "}";
    }
    json += "\n]\n";
    std::cout << json;
    return std::cout.good() ? 0 : 1;
}
