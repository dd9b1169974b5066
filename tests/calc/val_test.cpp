#include "calc/val.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <iomanip>
#include <ostream>
#include <string>

#include "calc/calc_error.h"

namespace tolvi {
namespace {

struct ValCase {
    std::string text;
    double expected;
};

void PrintTo(const ValCase& c, std::ostream* out) {
    *out << '"' << c.text << "\" -> " << std::setprecision(17) << c.expected;
}

class ValReads : public testing::TestWithParam<ValCase> {};

TEST_P(ValReads, TheNumberAtTheHead) {
    const ValCase& c = GetParam();
    EXPECT_EQ(Val(c.text), c.expected) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ValReads,
    testing::Values(
        ValCase{"", 0}, ValCase{".", 0}, ValCase{"abc", 0}, ValCase{"007", 7},
        ValCase{"1.2.3", 1.2}, ValCase{"1,000", 1}, ValCase{"1,234.50", 1}, ValCase{"12abc", 12},
        ValCase{"1 2.5", 12.5}, ValCase{" \t1\n2 . 5", 12.5}, ValCase{"1.5E3", 1500},
        ValCase{"1.5e3", 1500}, ValCase{"1.5D3", 1500}, ValCase{"1.5d-3", 0.0015},
        ValCase{"2 E +2", 200}, ValCase{"1e", 1}, ValCase{"1e+", 1}, ValCase{"1ex5", 1},
        ValCase{"-5", -5}, ValCase{"+5", 5}, ValCase{"- 5", -5}, ValCase{".5", 0.5},
        ValCase{"-.5", -0.5}, ValCase{"5.", 5}, ValCase{"--5", 0}, ValCase{"\r5", 0},
        // Zero however written; sixteen digits, more than a double holds as a whole number.
        ValCase{"-0", 0}, ValCase{"0e500", 0}, ValCase{"900719925474099.5", 900719925474099.5},
        ValCase{"17.4255319148936", 17.4255319148936}, ValCase{"1E-05", 1e-5},
        ValCase{"1.15292150460685E+18", 1.15292150460685e18}, ValCase{"0.1", 0.1},
        ValCase{"1e-400", 0}, ValCase{"-1e-400", 0}, ValCase{"1e-9999999999999999999999", 0},
        ValCase{"4.94065645841247E-324", 4.94065645841247e-324},
        ValCase{"1.7976931348623157e308", 1.7976931348623157e308}, ValCase{"&H10", 0},
        // Just above the midpoint between 1 and the next double: the last digit
        // decides, however far out it stands.
        ValCase{"1.00000000000000011102230246251565404236316680908203125001", 1.0000000000000002},
        ValCase{"1.00000000000000011102230246251565404236316680908203125", 1.0},
        ValCase{"2.9057912897821798E-6", 2.9057912897821798E-6}));

TEST(Val, NumbersTooLargeForADoubleOverflow) {
    // An exponent of 2^64 too: its digits must not wrap round to a small exponent.
    for (const std::string& text : std::initializer_list<std::string>{
             "1e309", "1.7976931348623159e308", "-1e400", "1e99999999999999999999999",
             std::string(400, '9'), "1e18446744073709551616"}) {
        try {
            Val(text);
            ADD_FAILURE() << text << " read without error";
        } catch (const CalcError& e) {
            EXPECT_EQ(e.kind(), CalcErrorKind::Overflow) << text;
        }
    }
}

TEST(Val, LongTextsReadCorrectlyRounded) {
    // 2^53 + 1 lies halfway between two doubles; a non-zero digit far beyond it decides, zeros
    // do not.
    EXPECT_EQ(Val("9007199254740993"), 9007199254740992.0);
    EXPECT_EQ(Val("9007199254740993." + std::string(2000, '0') + "1"), 9007199254740994.0);
    EXPECT_EQ(Val("9007199254740993." + std::string(2000, '0')), 9007199254740992.0);
    EXPECT_EQ(Val("0." + std::string(1'000'000, '3')), 1.0 / 3.0);
    EXPECT_EQ(Val("0." + std::string(1'000'000, '0') + "1"), 0.0);
    EXPECT_EQ(Val(std::string(1'000'000, ' ') + "7"), 7.0);
    EXPECT_EQ(Val(std::string(1'000'000, '.')), 0.0);
    EXPECT_EQ(Val(std::string(1'000'000, '0') + "42"), 42.0);
}

TEST(Val, NegativeZeroKeepsItsSign) {
    EXPECT_TRUE(std::signbit(Val("-0")));
}

TEST(Replace, RemovesEveryOccurrence) {
    EXPECT_EQ(Replace("1,234,567.5", ",", ""), "1234567.5");
    EXPECT_EQ(Replace(",,a,,", ",", ""), "a");
    EXPECT_EQ(Replace("abc", "", "x"), "abc");
    EXPECT_EQ(Replace("aXbXc", "X", "--"), "a--b--c");
    EXPECT_EQ(Replace("a--b--c", "--", "+"), "a+b+c");
    EXPECT_EQ(Replace("aaaaa", "aa", "b"), "bba");
    EXPECT_EQ(Replace("1,,2", ",,", ""), "12");
    EXPECT_EQ(Replace("", ",", ""), "");
}

TEST(ReadAmount, RemovesCommasBeforeReading) {
    EXPECT_EQ(ReadAmount("1,000"), 1000);
    EXPECT_EQ(ReadAmount("1,750.00"), 1750);
    EXPECT_EQ(ReadAmount("1,234,567.50"), 1234567.5);
    EXPECT_EQ(ReadAmount(",,,"), 0);
    EXPECT_EQ(ReadAmount("12.5.3"), 12.5);
}

}  // namespace
}  // namespace tolvi
