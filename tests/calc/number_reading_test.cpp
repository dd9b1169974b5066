#include "calc/number_reading.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <initializer_list>
#include <iomanip>
#include <ostream>
#include <random>
#include <string>

#include "calc/calc_error.h"

namespace tolvi {
namespace {

struct ReadNumberCase {
    std::string text;
    double expected;
};

void PrintTo(const ReadNumberCase& c, std::ostream* out) {
    *out << '"' << c.text << "\" -> " << std::setprecision(17) << c.expected;
}

class ReadNumberReads : public testing::TestWithParam<ReadNumberCase> {};

TEST_P(ReadNumberReads, TheNumberAtTheHead) {
    const ReadNumberCase& c = GetParam();
    EXPECT_EQ(ReadNumber(c.text), c.expected) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadNumberReads,
    testing::Values(
        ReadNumberCase{"", 0}, ReadNumberCase{".", 0}, ReadNumberCase{"abc", 0},
        ReadNumberCase{"007", 7}, ReadNumberCase{"1.2.3", 1.2}, ReadNumberCase{"1,000", 1},
        ReadNumberCase{"1,234.50", 1}, ReadNumberCase{"12abc", 12}, ReadNumberCase{"1 2.5", 12.5},
        ReadNumberCase{" \t1\n2 . 5", 12.5}, ReadNumberCase{"1.5E3", 1500},
        ReadNumberCase{"1.5e3", 1500}, ReadNumberCase{"1.5D3", 1500},
        ReadNumberCase{"1.5d-3", 0.0015}, ReadNumberCase{"2 E +2", 200}, ReadNumberCase{"1e", 1},
        ReadNumberCase{"1e+", 1}, ReadNumberCase{"1ex5", 1}, ReadNumberCase{"-5", -5},
        ReadNumberCase{"+5", 5}, ReadNumberCase{"- 5", -5}, ReadNumberCase{".5", 0.5},
        ReadNumberCase{"-.5", -0.5}, ReadNumberCase{"5.", 5}, ReadNumberCase{"--5", 0},
        ReadNumberCase{"\r5", 0},
        // Zero however written; sixteen digits, more than a double holds as a whole number.
        ReadNumberCase{"-0", 0}, ReadNumberCase{"0e500", 0},
        ReadNumberCase{"900719925474099.5", 900719925474099.5},
        ReadNumberCase{"17.4255319148936", 17.4255319148936}, ReadNumberCase{"1E-05", 1e-5},
        ReadNumberCase{"1.15292150460685E+18", 1.15292150460685e18}, ReadNumberCase{"0.1", 0.1},
        ReadNumberCase{"1e-400", 0}, ReadNumberCase{"-1e-400", 0},
        ReadNumberCase{"1e-9999999999999999999999", 0},
        ReadNumberCase{"4.94065645841247E-324", 4.94065645841247e-324},
        ReadNumberCase{"1.7976931348623157e308", 1.7976931348623157e308}, ReadNumberCase{"&H10", 0},
        // Just above the midpoint between 1 and the next double: the last digit
        // decides, however far out it stands.
        ReadNumberCase{"1.00000000000000011102230246251565404236316680908203125001",
                       1.0000000000000002},
        ReadNumberCase{"1.00000000000000011102230246251565404236316680908203125", 1.0},
        ReadNumberCase{"2.9057912897821798E-6", 2.9057912897821798E-6}));

TEST(ReadNumber, NumbersTooLargeForADoubleOverflow) {
    // An exponent of 2^64 too: its digits must not wrap round to a small exponent.
    for (const std::string& text : std::initializer_list<std::string>{
             "1e309", "1.7976931348623159e308", "-1e400", "1e99999999999999999999999",
             std::string(400, '9'), "1e18446744073709551616"}) {
        try {
            ReadNumber(text);
            ADD_FAILURE() << text << " read without error";
        } catch (const CalcError& e) {
            EXPECT_EQ(e.kind(), CalcErrorKind::Overflow) << text;
        }
    }
}

TEST(ReadNumber, LongTextsReadCorrectlyRounded) {
    // 2^53 + 1 lies halfway between two doubles; a non-zero digit far beyond it decides, zeros
    // do not.
    EXPECT_EQ(ReadNumber("9007199254740993"), 9007199254740992.0);
    EXPECT_EQ(ReadNumber("9007199254740993." + std::string(2000, '0') + "1"), 9007199254740994.0);
    EXPECT_EQ(ReadNumber("9007199254740993." + std::string(2000, '0')), 9007199254740992.0);
    EXPECT_EQ(ReadNumber("0." + std::string(1'000'000, '3')), 1.0 / 3.0);
    EXPECT_EQ(ReadNumber("0." + std::string(1'000'000, '0') + "1"), 0.0);
    EXPECT_EQ(ReadNumber(std::string(1'000'000, ' ') + "7"), 7.0);
    EXPECT_EQ(ReadNumber(std::string(1'000'000, '.')), 0.0);
    EXPECT_EQ(ReadNumber(std::string(1'000'000, '0') + "42"), 42.0);
}

TEST(ReadNumber, AgreesWithTheCorrectlyRoundedReadingOfTheLibrary) {
    // Up to 17 digits, the point anywhere, exponents around the range where one multiplication
    // or division gives the double: the short numbers take that way, the others the long one.
    std::mt19937_64 random(77);
    for (int i = 0; i < 300'000; ++i) {
        std::string text = std::to_string(random() % 100'000'000'000'000'000ULL);
        text.resize(1 + random() % text.size());
        text.insert(random() % (text.size() + 1), ".");
        text += "e" + std::to_string(static_cast<int>(random() % 80) - 40);
        double expected = 0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        EXPECT_EQ(ReadNumber(text), expected) << text;
    }
}

TEST(ReadNumber, NegativeZeroKeepsItsSign) {
    EXPECT_TRUE(std::signbit(ReadNumber("-0")));
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
