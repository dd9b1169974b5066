#include "calc/recalculation.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "calc/calc_error.h"
#include "calc/record_fields.h"
#include "tests/support/worked_recalculations.h"

namespace tolvi {
namespace {

std::optional<CalcErrorKind> Recalculate(RecordFields& record) {
    try {
        Text_amount_Change(record, NumberFormat{});
    } catch (const CalcError& e) {
        return e.kind();
    }
    return std::nullopt;
}

RecordFields Record(VatMode mode, std::string amount, std::string rate,
                    const NumberFormat& format = NumberFormat{}) {
    FieldTexts texts;
    texts.mode = mode;
    texts.amount = std::move(amount);
    texts.rate = std::move(rate);
    return RecordFields(format, texts);
}

class WorkedRecalculations : public testing::TestWithParam<test::WorkedRecalculation> {};

TEST_P(WorkedRecalculations, FillEveryResultField) {
    const test::WorkedRecalculation& row = GetParam();
    RecordFields record = Record(row.mode, std::string(row.amount), std::string(row.rate));
    ASSERT_EQ(Recalculate(record), std::nullopt);
    EXPECT_EQ(record.texts.vatCaption, row.vatCaption);
    EXPECT_EQ(record.texts.roundedVat, row.roundedVat);
    EXPECT_EQ(record.texts.total, row.total);
    EXPECT_EQ(record.texts.price, row.price);
    EXPECT_EQ(record.texts.unformattedPrice, row.unformattedPrice);

    // A second run over its own output gives the same texts.
    const FieldTexts first = record.texts;
    ASSERT_EQ(Recalculate(record), std::nullopt);
    EXPECT_EQ(record.texts, first);
}

INSTANTIATE_TEST_SUITE_P(Table, WorkedRecalculations,
                         testing::ValuesIn(test::kWorkedRecalculations));

TEST(Recalculation, InclusiveWithAnEmptyAmountStopsAtFormattingTheTotal) {
    RecordFields record = Record(VatMode::Inclusive, "", "0");
    EXPECT_EQ(Recalculate(record), CalcErrorKind::TypeMismatch);
    EXPECT_EQ(record.texts.vatCaption, "0");
    EXPECT_EQ(record.texts.roundedVat, "0.00");
    EXPECT_EQ(record.texts.total, "");
    EXPECT_EQ(record.texts.price, "0.00");
    EXPECT_EQ(record.texts.unformattedPrice, "0");
}

TEST(Recalculation, InclusiveKeepsAnAmountThatIsNotANumberInTheTotal) {
    for (const std::string amount : {".", "1.2.3"}) {
        RecordFields record = Record(VatMode::Inclusive, amount, "17.5");
        EXPECT_EQ(Recalculate(record), CalcErrorKind::TypeMismatch);
        EXPECT_EQ(record.texts.total, amount);
        EXPECT_FALSE(record.texts.price.empty());
    }
}

TEST(Recalculation, FailuresBeforeTheCaptionLeaveEveryFieldAsItWas) {
    struct Case {
        VatMode mode;
        std::string amount;
        std::string rate;
        CalcErrorKind kind;
    };
    for (const Case& c :
         {Case{VatMode::Inclusive, "5", "-100", CalcErrorKind::DivisionByZero},
          Case{VatMode::Inclusive, "", "-100", CalcErrorKind::InvalidOperation},
          Case{VatMode::Inclusive, std::string(400, '9'), "17.5", CalcErrorKind::Overflow},
          Case{VatMode::Exclusive, std::string(400, '9'), "17.5", CalcErrorKind::Overflow},
          Case{VatMode::Exclusive, "1e300", "1e300", CalcErrorKind::Overflow}}) {
        RecordFields record = Record(c.mode, c.amount, c.rate);
        const FieldTexts before = record.texts;
        EXPECT_EQ(Recalculate(record), c.kind) << c.amount << " at " << c.rate;
        EXPECT_EQ(record.texts, before);
    }
}

TEST(Recalculation, AnOverflowingTotalKeepsTheCaptionAndRoundedVat) {
    RecordFields record = Record(VatMode::Exclusive, "1.79e308", "1");
    EXPECT_EQ(Recalculate(record), CalcErrorKind::Overflow);
    EXPECT_EQ(record.texts.vatCaption, "1.79E+306");
    EXPECT_EQ(record.texts.roundedVat.substr(0, 8), "1,790,00");
    EXPECT_EQ(record.texts.total, "");
}

TEST(Recalculation, SwitchingTheModeRederivesEveryField) {
    RecordFields record = Record(VatMode::Exclusive, "105", "17.5");
    ASSERT_EQ(Recalculate(record), std::nullopt);
    EXPECT_EQ(record.texts.total, "123.38");
    record.texts.mode = VatMode::Inclusive;
    ASSERT_EQ(Recalculate(record), std::nullopt);
    EXPECT_EQ(record.texts.vatCaption, "15.6382978723404");
    EXPECT_EQ(record.texts.roundedVat, "15.64");
    EXPECT_EQ(record.texts.total, "105.00");
    EXPECT_EQ(record.texts.price, "89.36");
}

TEST(Recalculation, ATypedRoundedVatNeverReachesTheNextPrice) {
    RecordFields record = Record(VatMode::Exclusive, "105", "17.5");
    ASSERT_EQ(Recalculate(record), std::nullopt);
    record.texts.roundedVat = "100";  // typed by the user; the caption stays 18.375
    ASSERT_EQ(Recalculate(record), std::nullopt);
    EXPECT_EQ(record.texts.roundedVat, "18.38");
    EXPECT_EQ(record.texts.price, "105.00");
}

TEST(Recalculation, WithNeitherModeOnlyTheLastFourStepsRun) {
    RecordFields record = Record(VatMode::Neither, "999", "20");
    record.texts.vatCaption = "2";
    record.texts.roundedVat = "2.00";
    record.texts.total = "12";
    ASSERT_EQ(Recalculate(record), std::nullopt);
    EXPECT_EQ(record.texts.vatCaption, "2");
    EXPECT_EQ(record.texts.price, "10.00");
    EXPECT_EQ(record.texts.unformattedPrice, "10");
    EXPECT_EQ(record.texts.total, "12.00");
}

TEST(Recalculation, ACommaDecimalFormatLosesEveryFractionPassedThroughText) {
    NumberFormat comma;
    comma.decimalSeparator = ",";
    comma.groupSeparator = ".";
    RecordFields record = Record(VatMode::Exclusive, "105", "17.5", comma);
    Text_amount_Change(record, comma);
    EXPECT_EQ(record.texts.vatCaption, "18");
    EXPECT_EQ(record.texts.roundedVat, "18,00");
    EXPECT_EQ(record.texts.total, "123,00");
    // The amount reading takes the comma of "18,00" for a group separator.
    EXPECT_EQ(record.texts.price, "-1.677,00");
    EXPECT_EQ(record.texts.unformattedPrice, "105");
}

}  // namespace
}  // namespace tolvi
