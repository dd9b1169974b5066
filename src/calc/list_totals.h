#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "calc/decimal_sum.h"
#include "calc/recalculation.h"

namespace tolvi {

// A line of a list: what one recalculation took and gave. The texts are as typed; the
// calculation reads them.
struct ListLine {
    VatMode mode = VatMode::Exclusive;  // Exclusive or Inclusive
    std::string amount;
    std::string rate;
    Recalculation done;  // its results, or the error that ended it
};

// Recalculates a line from its mode, amount and rate, as the calculator does for one amount.
ListLine CalculateLine(VatMode mode, std::string_view amount, std::string_view rate);

// The figures of a group of lines, or of all lines. VAT, price and total "per line" are the
// sums of the lines' rounded figures, to the cent; "on total" are those of one recalculation of
// the group's summed amount (for all lines, the sums of the groups' figures); a difference is
// the figure on the total less the figure per line.
struct TotalsFigures {
    std::string amount;  // the summed amount, as the calculation writes a number ("3.3333")
    std::string vatPerLine, vatOnTotal, vatDifference;
    std::string pricePerLine, priceOnTotal, priceDifference;
    std::string totalPerLine, totalOnTotal, totalDifference;
};

struct TotalsRow {
    VatMode mode = VatMode::Neither;  // Neither for all lines
    std::string rate;                 // as the calculation writes a number; empty for all lines
    std::size_t lines = 0;
    TotalsFigures display;  // figures in display form ("1,234.56")
    TotalsFigures plain;    // the same without grouping ("1234.56")
    // The calculation's error that ended the row (a sum too large): the figures are then empty.
    std::optional<CalcErrorKind> error;
};

struct ListTotals {
    std::vector<TotalsRow> groups;  // exclusive before inclusive, each by the rate's value
    TotalsRow all;
};

// Gathers lines into groups by mode and by the rate's value as read (19, 19.0 and +19 are one
// group), summing exactly as lines come: a list of any length in the memory of its groups.
class ListTotaller {
  public:
    // Counts a line unless its recalculation ended on an error; says whether it counted it.
    bool Add(const ListLine& line);
    ListTotals Totals() const;

  private:
    struct Group {
        std::string rate;  // a text of the group, read as the rate value
        std::size_t lines = 0;
        DecimalSum amount;
        DecimalSum perLine[3];  // the lines' VAT, price and total
    };
    // By mode (exclusive first) and rate value.
    std::map<std::pair<int, double>, Group> groups_;
};

ListTotals TotalsOf(std::span<const ListLine> lines);

// The names of the totals table's columns, in order.
inline constexpr std::string_view kTotalsColumns[] = {
    "mode",           "rate",           "lines",           "amount",         "vat_per_line",
    "vat_on_total",   "vat_difference", "price_per_line",  "price_on_total", "price_difference",
    "total_per_line", "total_on_total", "total_difference"};

// How a list is written as text for another program.
enum class TableForm {
    Tabs,  // tab-separated, the figures in display form
    Csv,   // comma-separated (RFC 4180, CRLF), the figures without grouping
};

// The totals table: the header, one row per group, the row "all" with the rate empty. A row that
// ended on an error has its figures empty.
std::string TotalsTable(const ListTotals& totals, TableForm form);

// The lines (mode, amount, rate, vat, price, total), an empty line, then the totals table.
std::string ListTable(std::span<const ListLine> lines, const ListTotals& totals, TableForm form);

// "exclusive", "inclusive", "" for neither.
std::string_view ModeWord(VatMode mode);

// A figure in display form without its grouping: "1234.56" of "1,234.56".
std::string Ungrouped(std::string_view display);

}  // namespace tolvi
