#include "calc/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iomanip>
#include <limits>
#include <random>
#include <sstream>
#include <string>

#include "calc/calc_error.h"
#include "calc/display_form.h"
#include "calc/number_reading.h"
#include "tests/support/random_doubles.h"

namespace tolvi {
namespace {

struct NumberTextCase {
    double value;
    std::string expected;
};

void PrintTo(const NumberTextCase& c, std::ostream* out) {
    *out << std::setprecision(17) << c.value << " -> " << c.expected;
}

class NumberToTextWrites : public testing::TestWithParam<NumberTextCase> {};

TEST_P(NumberToTextWrites, FifteenSignificantDigits) {
    EXPECT_EQ(NumberToText(GetParam().value, NumberFormat{}), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberToTextWrites,
    testing::Values(
        NumberTextCase{18.375, "18.375"}, NumberTextCase{105, "105"},
        NumberTextCase{0.1 + 0.2, "0.3"}, NumberTextCase{1.0 / 3.0, "0.333333333333333"},
        NumberTextCase{0.0001, "0.0001"}, NumberTextCase{0.00001, "1E-05"},
        NumberTextCase{1e15, "1E+15"}, NumberTextCase{std::ldexp(1.0, 60), "1.15292150460685E+18"},
        NumberTextCase{12, "12"}, NumberTextCase{12.5, "12.5"}, NumberTextCase{-12.5, "-12.5"},
        NumberTextCase{0, "0"}, NumberTextCase{-0.0, "0"}, NumberTextCase{1e14, "100000000000000"},
        NumberTextCase{999999999999999.4, "999999999999999"},
        NumberTextCase{999999999999999.5, "1E+15"},
        NumberTextCase{0.000099999999999999999, "0.0001"}, NumberTextCase{0.00012345, "0.00012345"},
        NumberTextCase{-0.00001, "-1E-05"}, NumberTextCase{1e-300, "1E-300"},
        NumberTextCase{1.5e100, "1.5E+100"}, NumberTextCase{5e-324, "4.94065645841247E-324"},
        NumberTextCase{DBL_MAX, "1.79769313486232E+308"},
        NumberTextCase{117.0 - 99.5744680851064, "17.4255319148936"}, NumberTextCase{1750, "1750"},
        NumberTextCase{10000, "10000"}, NumberTextCase{1.5e-9, "1.5E-09"},
        NumberTextCase{1e-10, "1E-10"}, NumberTextCase{-1.5e-100, "-1.5E-100"},
        // Below 1e-5 the digits come from the exact conversion, rounded at the 15th digit:
        // ...21797 rounds up.
        NumberTextCase{2.9057912897821798E-6, "2.90579128978218E-06"}));

TEST(NumberToText, WritesTheFormatsDecimalSeparator) {
    NumberFormat comma;
    comma.decimalSeparator = ",";
    comma.groupSeparator = ".";
    EXPECT_EQ(NumberToText(18.375, comma), "18,375");
    EXPECT_EQ(NumberToText(1.5e-7, comma), "1,5E-07");
    EXPECT_EQ(NumberToText(123456.5, comma), "123456,5");
}

TEST(NumberToText, RejectsValuesThatAreNotFinite) {
    EXPECT_THROW(
        {
            try {
                NumberToText(std::numeric_limits<double>::infinity(), NumberFormat{});
            } catch (const CalcError& e) {
                EXPECT_EQ(e.kind(), CalcErrorKind::Overflow);
                throw;
            }
        },
        CalcError);
    EXPECT_THROW(NumberToText(std::nan(""), NumberFormat{}), CalcError);
}

TEST(ThroughText, RoundsToFifteenDigitsOnceAndForAll) {
    const NumberFormat format;
    const double once = ThroughText(0.1 + 0.2, format);
    EXPECT_EQ(once, 0.3);
    EXPECT_EQ(ThroughText(once, format), once);
    EXPECT_EQ(ThroughText(11700 / 117.5, format), 99.5744680851064);
}

// What the recalculation takes from a number instead of reading the text it wrote: the number
// through text, which both readings give, and its display form from its digits.
// What a conversion gives, or the error it raises, as a text.
template <typename Conversion>
std::string Outcome(Conversion conversion) {
    std::ostringstream out;
    try {
        out << std::setprecision(17) << conversion();
    } catch (const CalcError& e) {
        out << "error " << e.what();
    }
    return out.str();
}

void ExpectTheWrittenTextReadsAsItsNumber(double value) {
    const NumberFormat format;
    const std::string text = NumberToText(value, format);
    const std::string read = Outcome([&] { return ReadNumber(text); });
    EXPECT_EQ(Outcome([&] { return ThroughText(value, format); }), read) << text;
    EXPECT_EQ(Outcome([&] { return ReadAmount(text); }), read) << text;
    EXPECT_EQ(Outcome([&] { return DisplayFormOf(value, format); }),
              Outcome([&] { return FormatForDisplay(text, format); }))
        << text;
}

TEST(WrittenNumbers, ReadAsTheirNumberForEveryKindOfDouble) {
    // Random bit patterns cover every exponent; log-uniform values the everyday magnitudes,
    // where the shortcuts take over; the rounding near ties, the subnormals and the largest
    // doubles are where a shortcut could go wrong.
    test::ForRandomDoubles(20261207, 200'000, ExpectTheWrittenTextReadsAsItsNumber);
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> decades(-10.0, 38.0);
    for (int i = 0; i < 200'000; ++i) {
        const double value = std::pow(10.0, decades(random));
        ExpectTheWrittenTextReadsAsItsNumber(i % 2 == 0 ? value : -value);
    }
    for (const double value : {0.0,
                               -0.0,
                               5e-324,
                               2.2250738585072014e-308,
                               1e-5,
                               99.57446808510638,
                               17.425531914893618,
                               0.1 + 0.2,
                               1.0 / 3.0,
                               123456789012345.67,
                               0.005,
                               -0.004,
                               2.675,
                               1e22,
                               1e23,
                               1e-8,
                               1e-9,
                               DBL_MAX,
                               1.79769313486231e308,
                               1.797693134862315e308,
                               -DBL_MAX}) {
        ExpectTheWrittenTextReadsAsItsNumber(value);
    }
}

TEST(NumberToText, RoundsTheExactValueNearTies) {
    // Each of these has a shortest form of 16 or 17 digits whose tail lies near a half.
    std::mt19937_64 random(7);
    for (int i = 0; i < 200'000; ++i) {
        const double value = std::ldexp(static_cast<double>(random() >> 11), -40);
        char exact[40];
        const char* end =
            std::to_chars(exact, exact + sizeof exact, value, std::chars_format::scientific, 14)
                .ptr;
        EXPECT_EQ(ReadNumber(NumberToText(value, NumberFormat{})),
                  ReadNumber(std::string_view(exact, end)))
            << std::string_view(exact, end);
    }
}

TEST(ThroughText, ACommaDecimalSeparatorLosesTheFraction) {
    NumberFormat comma;
    comma.decimalSeparator = ",";
    comma.groupSeparator = ".";
    EXPECT_EQ(ThroughText(18.375, comma), 18);
}

}  // namespace
}  // namespace tolvi
