// Prints the rows for text entering a field as JSON, for the browser tests: the typing rows,
// the paste rows and the notice rows, each row an object, with the locale of its region.
#include <iostream>
#include <string>
#include <string_view>

#include "tests/support/entry_rows.h"
#include "tests/support/worked_recalculations.h"
#include "tests/web/json_text.h"

namespace {

using tolvi::test::JsonQuoted;

std::string Member(std::string_view name, std::string_view value) {
    return JsonQuoted(name) + ": " + JsonQuoted(value);
}

std::string RegionOf(const tolvi::test::Region& region) {
    return Member("locale", region.locale) + ", " + Member("decimal", region.decimalSeparator) +
           ", " + Member("group", region.groupSeparator);
}

std::string FieldOf(tolvi::Field field) {
    return Member("field", field == tolvi::Field::Amount ? "amount" : "rate");
}

// The rows of one table as a JSON array, each written by `row`.
template <typename Rows, typename Row>
std::string Table(const Rows& rows, Row row) {
    std::string json = "[";
    for (const auto& each : rows) {
        json += (json.size() > 1 ? ",\n  {" : "\n  {") + row(each) + "}";
    }
    return json + "\n ]";
}

}  // namespace

int main() {
    using namespace tolvi::test;
    std::string json = "{\n \"typing\": ";
    json += Table(kTypingRows, [](const TypingRow& row) {
        return RegionOf(row.region) + ", " + FieldOf(row.field) + ", " +
               Member("typed", row.typed) + ", " + Member("boxText", row.boxText);
    });
    json += ",\n \"paste\": ";
    json += Table(kPasteRows, [](const PasteRow& row) {
        return RegionOf(row.region) + ", " + FieldOf(row.field) + ", " +
               Member("before", row.before) + ", " + Member("pasted", row.pasted) + ", " +
               Member("after", row.after) + ", " + Member("notice", row.notice);
    });
    json += ",\n \"notice\": ";
    json += Table(kNoticeRows, [](const NoticeRow& row) {
        std::string lines = "\"lines\": [";
        for (const std::string_view line : row.lines) {
            if (!line.empty()) {
                lines += (lines.back() == '[' ? "" : ", ") + JsonQuoted(line);
            }
        }
        return Member("mode", ModeName(row.mode)) + ", " + Member("amount", row.amount) + ", " +
               Member("rate", row.rate) + ", " + lines + "]";
    });
    json += "\n}\n";
    std::cout << json;
    return std::cout.good() ? 0 : 1;
}
