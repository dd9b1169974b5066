#include "calc/str_r8.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include "calc/calc_error.h"

namespace tolvi {
namespace {

struct StrR8Case {
    double value;
    std::string expected;
};

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
        StrR8Case{10000, "10000"}));

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

TEST(ThroughText, ACommaDecimalSeparatorLosesTheFraction) {
    NumberFormat comma;
    comma.decimalSeparator = ",";
    comma.groupSeparator = ".";
    EXPECT_EQ(ThroughText(18.375, comma), 18);
}

}  // namespace
}  // namespace tolvi
