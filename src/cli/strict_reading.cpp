#include "cli/strict_reading.h"

#include "calc/field_reading.h"
#include "calc/unicode_text.h"

namespace tolvi {

namespace {

bool HoldsControlCharacter(std::string_view text) {
    Utf8Reader reader(text);
    for (char32_t code = 0; reader.Next(code);) {
        if (code != Utf8Reader::kMalformed && IsControlCharacter(code)) {
            return true;
        }
    }
    return false;
}

// How much of a text strict reading takes: what the calculation's reading takes, less a D
// exponent (1d3), which no spreadsheet writes, and less any control character, the tab and
// line feed the reading skips included, which would reach the output as it stands.
ReadingExtent StrictExtent(std::string_view text, Field field) {
    const ReadingExtent extent = ExtentOfReading(text, field);
    if (HoldsControlCharacter(text)) {
        return ReadingExtent::Part;
    }
    if (extent == ReadingExtent::Whole && text.find_first_of("Dd") != std::string_view::npos) {
        return ReadingExtent::Part;  // in a text read whole, a D can only be the exponent's
    }
    return extent;
}

}  // namespace

std::string_view StrictReadingError(std::string_view amount, std::string_view rate) {
    // Indexed by the extent of the amount's reading, then of the rate's: Empty, Whole, Part.
    static constexpr std::string_view kErrors[3][3] = {
        {"Empty: amount; Empty: rate", "Empty: amount", "Empty: amount; Not a number: rate"},
        {"Empty: rate", "", "Not a number: rate"},
        {"Not a number: amount; Empty: rate", "Not a number: amount",
         "Not a number: amount; Not a number: rate"},
    };
    const ReadingExtent amountExtent = StrictExtent(amount, Field::Amount);
    const ReadingExtent rateExtent = StrictExtent(rate, Field::Rate);
    return kErrors[static_cast<int>(amountExtent)][static_cast<int>(rateExtent)];
}

}  // namespace tolvi
