#include "calc/str_r8.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iomanip>
#include <limits>
#include <random>
#include <string>

#include "calc/calc_error.h"
#include "calc/val.h"

namespace tolvi {
namespace {

struct StrR8Case {
    double value;
    std::string expected;
};

void PrintTo(const StrR8Case& c, std::ostream* out) {
    *out << std::setprecision(17) << c.value << " -> " << c.expected;
}

class StrR8Writes : public testing::TestWithParam<StrR8Case> {};

TEST_P(StrR8Writes, FifteenSignificantDigits) {
    EXPECT_EQ(StrR8(GetParam().value, NumberFormat{}), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, StrR8Writes,
    testing::Values(
        StrR8Case{18.375, "18.375"}, StrR8Case{105, "105"}, StrR8Case{0.1 + 0.2, "0.3"},
        StrR8Case{1.0 / 3.0, "0.333333333333333"}, StrR8Case{0.0001, "0.0001"},
        StrR8Case{0.00001, "1E-05"}, StrR8Case{1e15, "1E+15"},
        StrR8Case{std::ldexp(1.0, 60), "1.15292150460685E+18"}, StrR8Case{12, "12"},
        StrR8Case{12.5, "12.5"}, StrR8Case{-12.5, "-12.5"}, StrR8Case{0, "0"}, StrR8Case{-0.0, "0"},
        StrR8Case{1e14, "100000000000000"}, StrR8Case{999999999999999.4, "999999999999999"},
        StrR8Case{999999999999999.5, "1E+15"}, StrR8Case{0.000099999999999999999, "0.0001"},
        StrR8Case{0.00012345, "0.00012345"}, StrR8Case{-0.00001, "-1E-05"},
        StrR8Case{1e-300, "1E-300"}, StrR8Case{1.5e100, "1.5E+100"},
        StrR8Case{5e-324, "4.94065645841247E-324"}, StrR8Case{DBL_MAX, "1.79769313486232E+308"},
        StrR8Case{117.0 - 99.5744680851064, "17.4255319148936"}, StrR8Case{1750, "1750"},
        StrR8Case{10000, "10000"}, StrR8Case{1.5e-9, "1.5E-09"}, StrR8Case{1e-10, "1E-10"},
        StrR8Case{-1.5e-100, "-1.5E-100"},
        // Below 1e-5 the digits come from the exact conversion, rounded at the 15th digit:
        // ...21797 rounds up.
        StrR8Case{2.9057912897821798E-6, "2.90579128978218E-06"}));

TEST(StrR8, WritesTheFormatsDecimalSeparator) {
    NumberFormat comma;
    comma.decimalSeparator = ",";
    comma.groupSeparator = ".";
    EXPECT_EQ(StrR8(18.375, comma), "18,375");
    EXPECT_EQ(StrR8(1.5e-7, comma), "1,5E-07");
    EXPECT_EQ(StrR8(123456.5, comma), "123456,5");
}

TEST(StrR8, RejectsValuesThatAreNotFinite) {
    EXPECT_THROW(
        {
            try {
                StrR8(std::numeric_limits<double>::infinity(), NumberFormat{});
            } catch (const CalcError& e) {
                EXPECT_EQ(e.kind(), CalcErrorKind::Overflow);
                throw;
            }
        },
        CalcError);
    EXPECT_THROW(StrR8(std::nan(""), NumberFormat{}), CalcError);
}

TEST(StrR4, SevenSignificantDigits) {
    const NumberFormat format;
    EXPECT_EQ(StrR4(1950.0f, format), "1950");
    EXPECT_EQ(StrR4(3360.0f, format), "3360");
    EXPECT_EQ(StrR4(0.1f, format), "0.1");
    EXPECT_EQ(StrR4(1234567.0f, format), "1234567");
    EXPECT_EQ(StrR4(12345678.0f, format), "1.234568E+07");
    EXPECT_EQ(StrR4(-2.5f, format), "-2.5");
    EXPECT_EQ(StrR4(0.0f, format), "0");
    EXPECT_EQ(StrR4(-0.0f, format), "0");
    EXPECT_EQ(StrR4(0.00001f, format), "1E-05");
    EXPECT_THROW(StrR4(std::numeric_limits<float>::infinity(), format), CalcError);
}

TEST(StrI2, PlainDecimalDigits) {
    EXPECT_EQ(StrI2(1), "1");
    EXPECT_EQ(StrI2(0), "0");
    EXPECT_EQ(StrI2(10), "10");
    EXPECT_EQ(StrI2(-5), "-5");
    EXPECT_EQ(StrI2(32767), "32767");
    EXPECT_EQ(StrI2(-32768), "-32768");
}

TEST(ThroughText, RoundsToFifteenDigitsOnceAndForAll) {
    const NumberFormat format;
    const double once = ThroughText(0.1 + 0.2, format);
    EXPECT_EQ(once, 0.3);
    EXPECT_EQ(ThroughText(once, format), once);
    EXPECT_EQ(ThroughText(11700 / 117.5, format), 99.5744680851064);
}

TEST(ThroughText, IsValOfStrR8ForEveryKindOfDouble) {
    // Random bit patterns cover every exponent; the rounding from shortest digits near ties
    // and the subnormals are where a shortcut could go wrong.
    std::mt19937_64 random(20261207);
    const NumberFormat format;
    int checked = 0;
    for (int i = 0; i < 300'000; ++i) {
        double value = 0;
        const std::uint64_t bits = random();
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value) || std::fabs(value) > 1e308) {
            continue;
        }
        const std::string text = StrR8(value, format);
        EXPECT_EQ(ThroughText(value, format), Val(text)) << text;
        ++checked;
    }
    for (const double value : {0.0, -0.0, 5e-324, 2.2250738585072014e-308, 1e-5, 99.57446808510638,
                               17.425531914893618, 0.1 + 0.2, 1.0 / 3.0, 123456789012345.67}) {
        EXPECT_EQ(ThroughText(value, format), Val(StrR8(value, format))) << value;
    }
    EXPECT_GT(checked, 250'000);
}

TEST(StrR8, RoundsTheExactValueNearTies) {
    // Each of these has a shortest form of 16 or 17 digits whose tail lies near a half.
    std::mt19937_64 random(7);
    for (int i = 0; i < 200'000; ++i) {
        const double value = std::ldexp(static_cast<double>(random() >> 11), -40);
        char exact[40];
        const char* end =
            std::to_chars(exact, exact + sizeof exact, value, std::chars_format::scientific, 14)
                .ptr;
        EXPECT_EQ(Val(StrR8(value, NumberFormat{})), Val(std::string_view(exact, end)))
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
