#include "calc/recalculation.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "calc/calc_error.h"
#include "calc/record_fields.h"

namespace tolvi {
namespace {

struct Row {
    VatMode mode;
    std::string amount;
    std::string rate;
    std::string vatCaption;
    std::string roundedVat;
    std::string total;
    std::string price;
    std::string unformattedPrice;
};

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

class WorkedRecalculation : public testing::TestWithParam<Row> {};

TEST_P(WorkedRecalculation, FillsEveryResultField) {
    const Row& row = GetParam();
    RecordFields record = Record(row.mode, row.amount, row.rate);
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

INSTANTIATE_TEST_SUITE_P(
    Rows, WorkedRecalculation,
    testing::Values(
        Row{VatMode::Exclusive, "105", "17.5", "18.375", "18.38", "123.38", "105.00", "105"},
        Row{VatMode::Inclusive, "123.375", "17.5", "18.375", "18.38", "123.38", "105.00", "105"},
        Row{VatMode::Exclusive, "10000", "17.5", "1750", "1,750.00", "11,750.00", "10,000.00",
            "10000"},
        Row{VatMode::Inclusive, "10000", "17.5", "1489.36170212766", "1,489.36", "10,000.00",
            "8,510.64", "8510.63829787234"},
        Row{VatMode::Inclusive, "100", "20", "16.6666666666667", "16.67", "100.00", "83.33",
            "83.3333333333333"},
        Row{VatMode::Exclusive, "99.99", "20", "19.998", "20.00", "119.99", "99.99", "99.99"},
        Row{VatMode::Exclusive, "", "17.5", "0", "0.00", "0.00", "0.00", "0"},
        Row{VatMode::Inclusive, "117", "17.5", "17.4255319148936", "17.43", "117.00", "99.57",
            "99.5744680851064"},
        Row{VatMode::Inclusive, "105", "17.5", "15.6382978723404", "15.64", "105.00", "89.36",
            "89.3617021276596"},
        Row{VatMode::Exclusive, "1.2.3", "17.5", "0.21", "0.21", "1.41", "1.20", "1.2"},
        Row{VatMode::Inclusive, "117.", "17.5", "17.4255319148936", "17.43", "117.00", "99.57",
            "99.5744680851064"},
        Row{VatMode::Inclusive, "1,000", "0", "0", "0.00", "1,000.00", "1,000.00", "1000"},
        Row{VatMode::Inclusive, "1D3", "17.5", "148.936170212766", "148.94", "1,000.00", "851.06",
            "851.063829787234"}));

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
