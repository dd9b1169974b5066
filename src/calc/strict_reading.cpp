#include "calc/strict_reading.h"

#include <array>
#include <string>

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

constexpr std::size_t kExtents = 4;

// Why strict reading refuses a field, by its extent: Empty, Whole, Part, TooSmall.
constexpr std::string_view kReasons[kExtents] = {"Empty", "", "Not a number", "Too small"};

}  // namespace

std::string_view StrictReadingError(std::string_view amount, std::string_view rate) {
    // Indexed by the extent of the amount's reading, then of the rate's.
    static const auto kErrors = [] {
        std::array<std::string, kExtents * kExtents> errors;
        for (std::size_t a = 0; a < kExtents; ++a) {
            for (std::size_t r = 0; r < kExtents; ++r) {
                std::string& error = errors[a * kExtents + r];
                if (!kReasons[a].empty()) {
                    error.append(kReasons[a]).append(": amount");
                }
                if (!kReasons[r].empty()) {
                    error.append(error.empty() ? "" : "; ").append(kReasons[r]).append(": rate");
                }
            }
        }
        return errors;
    }();
    const auto amountExtent = static_cast<std::size_t>(StrictExtent(amount, Field::Amount));
    const auto rateExtent = static_cast<std::size_t>(StrictExtent(rate, Field::Rate));
    return kErrors[amountExtent * kExtents + rateExtent];
}

}  // namespace tolvi
