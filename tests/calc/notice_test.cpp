#include "calc/notice.h"

#include <gtest/gtest.h>

#include "calc/recalculation.h"

#include "tests/support/entry_rows.h"
#include "tests/support/worked_recalculations.h"

namespace tolvi {
namespace {

class NoticeRows : public testing::TestWithParam<test::NoticeRow> {};

TEST_P(NoticeRows, NameTheErrorAndHowATextWasRead) {
    const test::NoticeRow& row = GetParam();
    std::vector<std::string> expected;
    for (const std::string_view line : row.lines) {
        if (!line.empty()) {
            expected.emplace_back(line);
        }
    }
    EXPECT_EQ(Recalculate(row.amount, row.rate, row.mode).notice, expected)
        << test::ModeName(row.mode) << " \"" << row.amount << "\" at \"" << row.rate << '"';
}

INSTANTIATE_TEST_SUITE_P(Rows, NoticeRows, testing::ValuesIn(test::kNoticeRows));

}  // namespace
}  // namespace tolvi
