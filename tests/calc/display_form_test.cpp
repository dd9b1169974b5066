#include "calc/display_form.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <string>

#include "calc/calc_error.h"

namespace tolvi {
namespace {

struct FormatCase {
    std::string text;
    std::string expected;
};

void PrintTo(const FormatCase& c, std::ostream* out) {
    *out << '"' << c.text << "\" -> " << c.expected;
}

class FormatForDisplayWrites : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatForDisplayWrites, DisplayForm) {
    EXPECT_EQ(FormatForDisplay(GetParam().text, NumberFormat{}), GetParam().expected)
        << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    DefaultFormat, FormatForDisplayWrites,
    testing::Values(
        FormatCase{"18.375", "18.38"}, FormatCase{"1750", "1,750.00"},
        FormatCase{"1234567.5", "1,234,567.50"}, FormatCase{"0", "0.00"}, FormatCase{"0.3", "0.30"},
        FormatCase{"1,750.00", "1,750.00"}, FormatCase{"2.675", "2.68"},
        FormatCase{"104.995", "105.00"}, FormatCase{"0.005", "0.01"}, FormatCase{"0.004", "0.00"},
        FormatCase{"0.0049999999", "0.00"}, FormatCase{"-0.004", "0.00"}, FormatCase{"-0", "0.00"},
        FormatCase{"-2.675", "-2.68"}, FormatCase{"-1234.5", "-1,234.50"},
        FormatCase{"99.995", "100.00"}, FormatCase{"999.995", "1,000.00"},
        FormatCase{"999999.995", "1,000,000.00"}, FormatCase{".5", "0.50"},
        FormatCase{"5.", "5.00"}, FormatCase{"117.", "117.00"}, FormatCase{" 5 ", "5.00"},
        FormatCase{"+5", "5.00"}, FormatCase{"- 5", "-5.00"}, FormatCase{"1.5E3", "1,500.00"},
        FormatCase{"1D3", "1,000.00"}, FormatCase{"2.5d-1", "0.25"}, FormatCase{"1.5d+2", "150.00"},
        FormatCase{"1e-3", "0.00"}, FormatCase{"5e-3", "0.01"}, FormatCase{"123", "123.00"},
        FormatCase{"1,2,3", "123.00"}, FormatCase{"1E+15", "1,000,000,000,000,000.00"},
        FormatCase{"1.15292150460685E+18", "1,152,921,504,606,850,000.00"},
        FormatCase{"17.4255319148936", "17.43"}, FormatCase{"1489.36170212766", "1,489.36"},
        FormatCase{"16.6666666666667", "16.67"}, FormatCase{"0.125", "0.13"},
        FormatCase{"1e-400", "0.00"}, FormatCase{"000012", "12.00"}, FormatCase{"0.0009", "0.00"},
        FormatCase{"0.0051", "0.01"}, FormatCase{"\t5", "5.00"}, FormatCase{"5\t", "5.00"}));

TEST(FormatForDisplay, GroupsEveryThreeDigitsOfLargeValues) {
    std::string expected = "1";
    for (int i = 0; i < 100; ++i) {
        expected += ",000";
    }
    EXPECT_EQ(FormatForDisplay("1E+300", NumberFormat{}), expected + ".00");
    EXPECT_EQ(FormatForDisplay("1" + std::string(300, '0'), NumberFormat{}), expected + ".00");
}

TEST(FormatForDisplay, TextsThatAreNotNumbersAreATypeMismatch) {
    for (const std::string& text :
         std::initializer_list<std::string>{"",
                                            ".",
                                            " ",
                                            "1.2.3",
                                            "abc",
                                            "-",
                                            "+",
                                            "1,,000",
                                            ",5",
                                            "5,",
                                            "1e",
                                            "1d",
                                            "1D+",
                                            "1e+",
                                            "5 5",
                                            "$5",
                                            "(5)",
                                            "5-",
                                            "12abc",
                                            "1,000.5,0",
                                            "--5",
                                            "0x10",
                                            "\xff\xfe",
                                            std::string(1, '\0'),
                                            std::string(1'000'000, 'x'),
                                            "1" + std::string(1'000'000, ',')}) {
        try {
            FormatForDisplay(text, NumberFormat{});
            ADD_FAILURE() << '"' << text.substr(0, 20) << "\" read as a number";
        } catch (const CalcError& e) {
            EXPECT_EQ(e.kind(), CalcErrorKind::TypeMismatch) << text.substr(0, 20);
        }
    }
}

TEST(FormatForDisplay, NumbersTooLargeForADoubleOverflow) {
    try {
        FormatForDisplay("1e400", NumberFormat{});
        ADD_FAILURE() << "1e400 formatted";
    } catch (const CalcError& e) {
        EXPECT_EQ(e.kind(), CalcErrorKind::Overflow);
    }
}

TEST(FormatForDisplay, AMillionDigitsAreReadWithoutTrouble) {
    EXPECT_EQ(FormatForDisplay("0." + std::string(1'000'000, '9'), NumberFormat{}), "1.00");
    EXPECT_THROW(FormatForDisplay(std::string(1'000'000, '9'), NumberFormat{}), CalcError);
}

NumberFormat CommaDecimal() {
    NumberFormat f;
    f.decimalSeparator = ",";
    f.groupSeparator = ".";
    return f;
}

TEST(FormatForDisplay, FollowsTheNumberFormat) {
    EXPECT_EQ(FormatForDisplay("18,375", CommaDecimal()), "18,38");
    EXPECT_EQ(FormatForDisplay("1.750,5", CommaDecimal()), "1.750,50");
    EXPECT_EQ(FormatForDisplay("1234567", CommaDecimal()), "1.234.567,00");
    // The full stop is this format's group separator.
    EXPECT_EQ(FormatForDisplay("18.375", CommaDecimal()), "18.375,00");

    NumberFormat noLeadingZero;
    noLeadingZero.leadingZero = false;
    EXPECT_EQ(FormatForDisplay("0.5", noLeadingZero), ".50");
    EXPECT_EQ(FormatForDisplay("1.5", noLeadingZero), "1.50");

    NumberFormat wholeNumbers;
    wholeNumbers.fractionDigits = 0;
    EXPECT_EQ(FormatForDisplay("2.5", wholeNumbers), "3");
    EXPECT_EQ(FormatForDisplay("1234.4", wholeNumbers), "1,234");

    NumberFormat oneDigit;
    oneDigit.fractionDigits = 1;
    EXPECT_EQ(FormatForDisplay("2.25", oneDigit), "2.3");

    NumberFormat fourDigits;
    fourDigits.fractionDigits = 4;
    EXPECT_EQ(FormatForDisplay("2.67495", fourDigits), "2.6750");

    NumberFormat ungrouped;
    ungrouped.groupSize = 0;
    EXPECT_EQ(FormatForDisplay("1234567", ungrouped), "1234567.00");

    NumberFormat singles;
    singles.groupSize = 1;
    EXPECT_EQ(FormatForDisplay("1234", singles), "1,2,3,4.00");

    NumberFormat indianSpace;
    indianSpace.groupSeparator = "\u00a0";
    EXPECT_EQ(FormatForDisplay("1234567", indianSpace), "1\u00a0234\u00a0567.00");
    EXPECT_EQ(FormatForDisplay("1\u00a0234\u00a0567.00", indianSpace), "1\u00a0234\u00a0567.00");
}

TEST(FormatForDisplay, WritesAndReadsTheFormatsNegativeForm) {
    struct Case {
        NegativeForm form;
        bool commaDecimal;
        std::string written;  // of -1234.56, and read back to its last digit
    };
    for (const Case& c : {Case{NegativeForm::Parentheses, false, "(1,234.56)"},
                          Case{NegativeForm::Parentheses, true, "(1.234,56)"},
                          Case{NegativeForm::MinusBefore, false, "-1,234.56"},
                          Case{NegativeForm::MinusBefore, true, "-1.234,56"},
                          Case{NegativeForm::MinusSpaceBefore, false, "- 1,234.56"},
                          Case{NegativeForm::MinusAfter, false, "1,234.56-"},
                          Case{NegativeForm::MinusAfter, true, "1.234,56-"},
                          Case{NegativeForm::SpaceMinusAfter, false, "1,234.56 -"}}) {
        NumberFormat format = c.commaDecimal ? CommaDecimal() : NumberFormat{};
        format.negativeForm = c.form;
        SCOPED_TRACE(c.written);
        EXPECT_EQ(FormatForDisplay(c.commaDecimal ? "-1234,56" : "-1234.56", format), c.written);
        EXPECT_EQ(FormatForDisplay(c.written, format), c.written);
    }
}

TEST(FormatForDisplay, AHalfWrittenNegativeFormIsATypeMismatch) {
    for (const bool commaDecimal : {false, true}) {
        NumberFormat format = commaDecimal ? CommaDecimal() : NumberFormat{};
        format.negativeForm = NegativeForm::Parentheses;
        for (const std::string text : {"(5", "5)", "(5,00", "(5.00", "()", "(-5)", ")5("}) {
            SCOPED_TRACE(text + (commaDecimal ? " with a decimal comma" : ""));
            EXPECT_THROW(FormatForDisplay(text, format), CalcError);
        }
    }
}

}  // namespace
}  // namespace tolvi
