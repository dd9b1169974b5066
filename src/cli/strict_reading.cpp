#include "cli/strict_reading.h"

#include "calc/field_reading.h"

namespace tolvi {

std::string_view StrictReadingError(std::string_view amount, std::string_view rate) {
    // Indexed by the extent of the amount's reading, then of the rate's: Empty, Whole, Part.
    static constexpr std::string_view kErrors[3][3] = {
        {"Empty: amount; Empty: rate", "Empty: amount", "Empty: amount; Not a number: rate"},
        {"Empty: rate", "", "Not a number: rate"},
        {"Not a number: amount; Empty: rate", "Not a number: amount",
         "Not a number: amount; Not a number: rate"},
    };
    const ReadingExtent amountExtent = ExtentOfReading(amount, Field::Amount);
    const ReadingExtent rateExtent = ExtentOfReading(rate, Field::Rate);
    return kErrors[static_cast<int>(amountExtent)][static_cast<int>(rateExtent)];
}

}  // namespace tolvi
