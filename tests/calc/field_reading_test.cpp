#include "calc/field_reading.h"

#include <gtest/gtest.h>

#include "calc/strict_reading.h"

#include <ostream>
#include <string>

namespace tolvi {
namespace {

struct ReadingCase {
    Field field;
    std::string text;
    ReadingExtent extent;
    std::string value;
};

void PrintTo(const ReadingCase& c, std::ostream* out) {
    static constexpr const char* kExtents[] = {"empty", "whole", "part", "too small"};
    *out << (c.field == Field::Amount ? "amount" : "rate") << " \"" << c.text << "\" -> "
         << kExtents[static_cast<int>(c.extent)] << ", read as \"" << c.value << '"';
}

class FieldReadings : public testing::TestWithParam<ReadingCase> {};

TEST_P(FieldReadings, SayHowMuchOfTheTextIsTheNumber) {
    const ReadingCase& c = GetParam();
    const FieldReading reading = ReadField(c.text, c.field);
    EXPECT_EQ(reading.extent, c.extent);
    EXPECT_EQ(ExtentOfReading(c.text, c.field), c.extent);
    EXPECT_EQ(reading.value, c.value);
}

constexpr Field kAmount = Field::Amount;
constexpr Field kRate = Field::Rate;
constexpr ReadingExtent kEmpty = ReadingExtent::Empty;
constexpr ReadingExtent kWhole = ReadingExtent::Whole;
constexpr ReadingExtent kPart = ReadingExtent::Part;
constexpr ReadingExtent kTooSmall = ReadingExtent::TooSmall;

INSTANTIATE_TEST_SUITE_P(
    Texts, FieldReadings,
    testing::Values(
        // Whole numbers, however the reading rule lets them be written.
        ReadingCase{kAmount, "117", kWhole, "117"}, ReadingCase{kAmount, "19.99", kWhole, "19.99"},
        ReadingCase{kAmount, " 5 ", kWhole, "5"}, ReadingCase{kAmount, "\t-5", kWhole, "-5"},
        ReadingCase{kAmount, "+.5", kWhole, "0.5"}, ReadingCase{kAmount, "5.", kWhole, "5"},
        ReadingCase{kAmount, "1.5E3", kWhole, "1500"}, ReadingCase{kAmount, "1d-2", kWhole, "0.01"},
        ReadingCase{kRate, "17.5", kWhole, "17.5"}, ReadingCase{kRate, "-100", kWhole, "-100"},
        // Group commas in threes before the point of an amount.
        ReadingCase{kAmount, "1,234.56", kWhole, "1234.56"},
        ReadingCase{kAmount, "1,234,567", kWhole, "1234567"},
        ReadingCase{kAmount, "-999,000", kWhole, "-999000"},
        // Commas that are no group separators are dropped, and that is a guess.
        ReadingCase{kAmount, "1.234,56", kPart, "1.23456"},
        ReadingCase{kAmount, "12,34", kPart, "1234"},
        ReadingCase{kAmount, "1234,567", kPart, "1234567"},
        ReadingCase{kAmount, ",123", kPart, "123"}, ReadingCase{kAmount, "1,23", kPart, "123"},
        ReadingCase{kAmount, "1,", kPart, "1"}, ReadingCase{kAmount, "1,234.5,6", kPart, "1234.56"},
        ReadingCase{kAmount, "0,500", kPart, "500"}, ReadingCase{kAmount, "01,234", kPart, "1234"},
        // A rate is read up to its first comma.
        ReadingCase{kRate, "19,5", kPart, "19"}, ReadingCase{kRate, "1,000", kPart, "1"},
        // What the reading leaves over.
        ReadingCase{kAmount, "1.2.3", kPart, "1.2"}, ReadingCase{kAmount, "€100", kPart, "0"},
        ReadingCase{kAmount, "€ 99.90", kPart, "0"}, ReadingCase{kAmount, "12abc", kPart, "12"},
        ReadingCase{kAmount, "1e", kPart, "1"}, ReadingCase{kAmount, "1e+", kPart, "1"},
        ReadingCase{kAmount, ".", kPart, "0"}, ReadingCase{kAmount, "-", kPart, "0"},
        ReadingCase{kAmount, "1 000", kPart, "1000"}, ReadingCase{kAmount, "- 5", kPart, "-5"},
        ReadingCase{kAmount, "1\u202e00.05", kPart, "1"}, ReadingCase{kRate, "20%", kPart, "20"},
        // Nothing at all; a number too large for a double.
        ReadingCase{kAmount, "", kEmpty, "0"}, ReadingCase{kRate, " \t ", kEmpty, "0"},
        ReadingCase{kAmount, "1e999", kWhole, ""}, ReadingCase{kAmount, "9e999x", kPart, ""},
        // Too near zero to keep every digit, or any.
        ReadingCase{kAmount, "1e-320", kTooSmall, "9.99988867182683E-321"},
        ReadingCase{kRate, "-1D-400", kTooSmall, "0"},
        ReadingCase{kAmount, "0." + std::string(400, '0') + "1", kTooSmall, "0"}));

// Strict reading calculates only what the calculation reads whole, less a D exponent and
// control characters, and says which field it refuses and why.
TEST(StrictReading, RefusesWhatTheLenientOneGuesses) {
    const struct {
        std::string_view amount;
        std::string_view rate;
        std::string_view error;
    } rows[] = {
        {"-1D-2", "2D1", "Not a number: amount; Not a number: rate"},
        {"100\n", "\t20", "Not a number: amount; Not a number: rate"},
        {"", "1e-320", "Empty: amount; Too small: rate"},
        {"-1e-400", "x", "Too small: amount; Not a number: rate"},
        {"2.2250738585072014e-308", "0e-400", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(StrictReadingError(row.amount, row.rate), row.error)
            << '"' << row.amount << "\" at \"" << row.rate << '"';
    }
}

}  // namespace
}  // namespace tolvi
