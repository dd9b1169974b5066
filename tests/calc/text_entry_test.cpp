#include "calc/text_entry.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "calc/number_reading.h"
#include "calc/unicode_text.h"
#include "tests/support/entry_rows.h"
#include "tests/support/worked_recalculations.h"

namespace tolvi {
namespace {

using test::kEnglish;
using test::kGerman;

// The UTF-16 codes of a UTF-8 text, as a keyboard or an input method hands them over.
std::u16string Utf16(std::string_view utf8) {
    std::u16string codes;
    Utf8Reader reader(utf8);
    for (char32_t code = 0; reader.Next(code);) {
        if (code >= 0x10000) {
            codes += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            codes += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            codes += static_cast<char16_t>(code);
        }
    }
    return codes;
}

class TypingRows : public testing::TestWithParam<test::TypingRow> {};

TEST_P(TypingRows, LeaveTheBoxWithTheCalculatorsForm) {
    const test::TypingRow& row = GetParam();
    std::string box;
    for (const char16_t code : Utf16(row.typed)) {
        const std::uint16_t left = ApplyTypingRule(code, row.field, row.region.Format());
        ASSERT_LT(left, 0x80) << "only ASCII reaches a box";
        if (left != 0) {
            box += static_cast<char>(left);
        }
    }
    EXPECT_EQ(box, row.boxText);
}

INSTANTIATE_TEST_SUITE_P(Rows, TypingRows, testing::ValuesIn(test::kTypingRows));

class PasteRows : public testing::TestWithParam<test::PasteRow> {};

TEST_P(PasteRows, EnterInTheCalculatorsFormOrAreRefusedWhole) {
    const test::PasteRow& row = GetParam();
    const TextFromOutside taken = TakeTextFromOutside(row.pasted, row.field, row.region.Format(),
                                                      row.before.size(), row.before.size());
    if (row.Refused()) {
        EXPECT_EQ(PasteRefusedNotice(taken.refusal), row.notice);
        EXPECT_EQ(taken.text, "");
    } else {
        EXPECT_FALSE(taken.Refused()) << taken.refusal;
        EXPECT_EQ(taken.text, row.after);
        EXPECT_EQ(taken.readAs, row.notice);
    }
    if (row.AsCommitted()) {
        const TextFromOutside committed = TakeCommittedText(
            row.pasted, row.field, row.region.Format(), row.before.size(), row.before.size());
        EXPECT_EQ(std::tie(committed.refusal, committed.text, committed.readAs),
                  std::tie(taken.refusal, taken.text, taken.readAs));
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, PasteRows, testing::ValuesIn(test::kPasteRows));

// Digits of other scripts are ASCII ones before the text is read; what enters keeps only the
// characters keys type, and says how it was read only where it is the text read.
TEST(CommittedText, IsReadInTheRegionalFormAndKeepsWhatKeysType) {
    const struct {
        std::string_view committed, text, readAs;
    } rows[] = {{"\uFF11\uFF0E\uFF12\uFF13\uFF14\uFF0C\uFF15", "1234.5", ""},
                {"\uFF12.\uFF16\uFF17\uFF15", "2.675", "Amount read as 2,675"},
                {"1a2", "12", ""},
                {"-1.234", "1.234", ""}};
    for (const auto& row : rows) {
        const TextFromOutside taken =
            TakeCommittedText(row.committed, Field::Amount, test::kGerman.Format(), 0, 0);
        EXPECT_EQ(taken.text, row.text) << row.committed;
        EXPECT_EQ(taken.readAs, row.readAs) << row.committed;
    }
}

TEST(PastedResults, AreTheSameNumberUnderEveryRegion) {
    for (const test::Region& region : test::kRegions) {
        for (const test::WorkedRecalculation& row : test::kWorkedRecalculations) {
            for (const std::string_view result :
                 {row.unroundedVat, row.roundedVat, row.total, row.price, row.unformattedPrice,
                  std::string_view("1E-05")}) {
                const TextFromOutside taken =
                    TakeTextFromOutside(result, Field::Amount, region.Format(), 0, 0);
                EXPECT_EQ(ReadAmount(taken.text), ReadAmount(result))
                    << region.locale << " \"" << result << '"';
            }
        }
    }
}

struct LengthCase {
    std::size_t boxLength;
    std::size_t replaced;
    std::string pasted;
    bool taken;
};

void PrintTo(const LengthCase& c, std::ostream* out) {
    *out << c.pasted.size() << " bytes over " << c.replaced << " of " << c.boxLength;
}

class PasteLengths : public testing::TestWithParam<LengthCase> {};

TEST_P(PasteLengths, CountWhatStaysAndWhatComesInUtf16Units) {
    const LengthCase& c = GetParam();
    const TextFromOutside taken =
        TakeTextFromOutside(c.pasted, Field::Amount, kEnglish.Format(), c.boxLength, c.replaced);
    EXPECT_EQ(!taken.Refused(), c.taken);
    if (!c.taken) {
        EXPECT_EQ(PasteRefusedNotice(taken.refusal), FieldTooLongNotice());
    }
}

const std::string k1000(1000, '1');

INSTANTIATE_TEST_SUITE_P(
    Cases, PasteLengths,
    testing::Values(LengthCase{0, 0, k1000, true}, LengthCase{0, 0, k1000 + "2", false},
                    LengthCase{1, 0, k1000, false}, LengthCase{1, 1, k1000, true},
                    LengthCase{1000, 1000, k1000, true}, LengthCase{999, 0, "5", true},
                    LengthCase{1000, 0, "5", false}, LengthCase{1000, 3, "123", true},
                    // A line break the paste drops does not count.
                    LengthCase{0, 0, k1000 + "\r\n", true},
                    // An euro sign is one unit, a character beyond the BMP two.
                    LengthCase{998, 0, "\u20AC\u20AC", true},
                    LengthCase{999, 0, "\U0001F4B6", false},
                    LengthCase{998, 0, "\U0001F4B6", true}));

TEST(PasteLengths, MeasureTheGermanFormAsItEnters) {
    // "1.234,5" is seven characters and enters as the six of "1234.5".
    EXPECT_FALSE(TakeTextFromOutside("1.234,5", Field::Amount, kGerman.Format(), 994, 0).Refused());
    EXPECT_TRUE(TakeTextFromOutside("1.234,5", Field::Amount, kGerman.Format(), 995, 0).Refused());
}

struct BytesCase {
    std::string bytes;
    bool taken;
};

void PrintTo(const BytesCase& c, std::ostream* out) {
    for (const unsigned char byte : c.bytes) {
        *out << std::hex << static_cast<int>(byte) << ' ';
    }
}

class PastedBytes : public testing::TestWithParam<BytesCase> {};

TEST_P(PastedBytes, AreRefusedUnlessTheyAreUtf8) {
    const BytesCase& c = GetParam();
    const TextFromOutside taken =
        TakeTextFromOutside(c.bytes, Field::Amount, kEnglish.Format(), 0, 0);
    EXPECT_EQ(!taken.Refused(), c.taken) << taken.refusal;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PastedBytes,
    testing::Values(BytesCase{"1\x80", false}, BytesCase{"\xC0\xB1", false},
                    BytesCase{"\xE2\x82", false}, BytesCase{"\xED\xA0\x80", false},
                    BytesCase{"\xF4\x90\x80\x80", false}, BytesCase{"\xFF", false},
                    BytesCase{std::string("1\0"
                                          "2",
                                          3),
                              false},
                    BytesCase{"\xE2\x82\xAC", true}, BytesCase{"\xF0\x9F\x92\xB6", true}));

struct DigitCase {
    char32_t code;
    int value;
};

void PrintTo(const DigitCase& c, std::ostream* out) {
    *out << "U+" << std::hex << static_cast<std::uint32_t>(c.code);
}

class DecimalDigits : public testing::TestWithParam<DigitCase> {};

TEST_P(DecimalDigits, HaveTheirValueInEveryScript) {
    EXPECT_EQ(DecimalDigitValue(GetParam().code), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, DecimalDigits,
    testing::Values(DigitCase{U'/', -1}, DigitCase{U'0', 0}, DigitCase{U'9', 9},
                    DigitCase{U':', -1}, DigitCase{0x065F, -1}, DigitCase{0x0660, 0},
                    DigitCase{0x0669, 9}, DigitCase{0x066A, -1}, DigitCase{0x06F9, 9},
                    DigitCase{0x0E59, 9}, DigitCase{0x0E5A, -1}, DigitCase{0xFF0F, -1},
                    DigitCase{0xFF10, 0}, DigitCase{0xFF19, 9}, DigitCase{0xFF1A, -1},
                    DigitCase{0x00B2, -1}, DigitCase{0x1D7CE, -1}));

TEST(TypingRule, KeepsBackspaceAndRefusesControlCodes) {
    for (const test::Region& region : test::kRegions) {
        for (const Field field : {Field::Amount, Field::Rate}) {
            EXPECT_EQ(ApplyTypingRule(8, field, region.Format()), 8) << region.locale;
            for (const std::uint16_t code : {0, 1, 3, 9, 13, 22, 26, 27, 127}) {
                EXPECT_EQ(ApplyTypingRule(code, field, region.Format()), 0)
                    << region.locale << " code " << code;
            }
        }
    }
}

}  // namespace
}  // namespace tolvi
