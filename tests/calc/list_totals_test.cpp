#include "calc/list_totals.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/list_rows.h"

namespace tolvi {
namespace {

class ListRows : public testing::TestWithParam<test::ListRow> {};

TEST_P(ListRows, TotalBothWays) {
    const test::ListRow& row = GetParam();
    std::vector<ListLine> lines;
    for (const test::ListRowLine& line : row.lines) {
        for (int i = 0; i < line.times; ++i) {
            lines.push_back(CalculateLine(line.mode, line.amount, line.rate));
        }
    }
    const ListTotals totals = TotalsOf(lines);
    const std::string table = TotalsTable(totals, TableForm::Tabs);
    EXPECT_EQ(table, std::string(test::kTotalsHeader) + test::TotalsRows(row));
    std::vector<const TotalsRow*> rows;
    for (const TotalsRow& group : totals.groups) {
        rows.push_back(&group);
    }
    rows.push_back(&totals.all);
    for (const TotalsRow* each : rows) {
        EXPECT_EQ(each->error ? CalcErrorName(*each->error) : "",
                  each->display.vatPerLine.empty() ? row.error : "");
    }
    // CSV: the same fields, ungrouped, in CRLF rows.
    std::string csv;
    for (const char c : table) {
        csv += c == '\t' ? "," : c == '\n' ? "\r\n" : c == ',' ? "" : std::string(1, c);
    }
    EXPECT_EQ(TotalsTable(totals, TableForm::Csv), csv);
}

INSTANTIATE_TEST_SUITE_P(Table, ListRows, testing::ValuesIn(test::kListRows));

TEST(ListTotals, TheSumOfGroupsThatHoldCanOverflow) {
    // The amounts' sum holds; the totals' does not.
    const ListLine lines[] = {CalculateLine(VatMode::Exclusive, "1.75e308", "1"),
                              CalculateLine(VatMode::Exclusive, "4e306", "20")};
    const ListTotals totals = TotalsOf(lines);
    EXPECT_FALSE(totals.groups.at(0).error || totals.groups.at(1).error);
    EXPECT_EQ(totals.all.error, CalcErrorKind::Overflow);
    EXPECT_EQ(totals.all.display.vatPerLine, "");
}

}  // namespace
}  // namespace tolvi
