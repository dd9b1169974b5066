#include "calc/recalculation.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "calc/calc_error.h"
#include "tests/support/worked_recalculations.h"

namespace tolvi {
namespace {

Recalculation Fresh(VatMode mode, std::string_view amount, std::string_view rate) {
    return Recalculate(amount, rate, mode);
}

class WorkedRecalculations : public testing::TestWithParam<test::WorkedRecalculation> {};

TEST_P(WorkedRecalculations, FillEveryResultField) {
    const test::WorkedRecalculation& row = GetParam();
    const Recalculation first = Fresh(row.mode, row.amount, row.rate);
    ASSERT_EQ(first.error, std::nullopt);
    const ResultTexts& r = first.results;
    EXPECT_EQ(r.unroundedVat, row.unroundedVat);
    EXPECT_EQ(r.roundedVat, row.roundedVat);
    EXPECT_EQ(r.total, row.total);
    EXPECT_EQ(r.price, row.price);
    EXPECT_EQ(r.unformattedPrice, row.unformattedPrice);

    // A second run over its own results gives the same texts.
    const Recalculation second = Recalculate(row.amount, row.rate, row.mode, r);
    ASSERT_EQ(second.error, std::nullopt);
    EXPECT_EQ(second.results, r);
}

INSTANTIATE_TEST_SUITE_P(Table, WorkedRecalculations,
                         testing::ValuesIn(test::kWorkedRecalculations));

TEST(Recalculation, InclusiveWithAnEmptyAmountStopsAtFormattingTheTotal) {
    const Recalculation done = Fresh(VatMode::Inclusive, "", "0");
    EXPECT_EQ(done.error, CalcErrorKind::TypeMismatch);
    EXPECT_EQ(done.results.unroundedVat, "0");
    EXPECT_EQ(done.results.roundedVat, "0.00");
    EXPECT_EQ(done.results.total, "");
    EXPECT_EQ(done.results.price, "0.00");
    EXPECT_EQ(done.results.unformattedPrice, "0");
}

TEST(Recalculation, InclusiveKeepsAnAmountThatIsNotANumberInTheTotal) {
    for (const std::string amount : {".", "1.2.3"}) {
        const Recalculation done = Fresh(VatMode::Inclusive, amount, "17.5");
        EXPECT_EQ(done.error, CalcErrorKind::TypeMismatch);
        EXPECT_EQ(done.results.total, amount);
        EXPECT_FALSE(done.results.price.empty());
    }
}

TEST(Recalculation, FailuresBeforeTheVatLeaveEveryFieldAsItWas) {
    struct Case {
        VatMode mode;
        std::string amount;
        std::string rate;
        CalcErrorKind kind;
    };
    ResultTexts before;
    before.roundedVat = "typed";
    before.total = "12.00";
    for (const Case& c :
         {Case{VatMode::Inclusive, "5", "-100", CalcErrorKind::DivisionByZero},
          Case{VatMode::Inclusive, "", "-100", CalcErrorKind::InvalidOperation},
          Case{VatMode::Inclusive, std::string(400, '9'), "17.5", CalcErrorKind::Overflow},
          Case{VatMode::Exclusive, std::string(400, '9'), "17.5", CalcErrorKind::Overflow},
          Case{VatMode::Exclusive, "1e300", "1e300", CalcErrorKind::Overflow}}) {
        const Recalculation done = Recalculate(c.amount, c.rate, c.mode, before);
        EXPECT_EQ(done.error, c.kind) << c.amount << " at " << c.rate;
        EXPECT_EQ(done.results, before) << c.amount << " at " << c.rate;
    }
}

TEST(Recalculation, AnOverflowingTotalKeepsTheVatAndRoundedVat) {
    const Recalculation done = Fresh(VatMode::Exclusive, "1.79e308", "1");
    EXPECT_EQ(done.error, CalcErrorKind::Overflow);
    EXPECT_EQ(done.results.unroundedVat, "1.79E+306");
    EXPECT_EQ(done.results.roundedVat.substr(0, 8), "1,790,00");
    EXPECT_EQ(done.results.total, "");
}

TEST(Recalculation, SwitchingTheModeRederivesEveryField) {
    const Recalculation exclusive = Fresh(VatMode::Exclusive, "105", "17.5");
    ASSERT_EQ(exclusive.error, std::nullopt);
    EXPECT_EQ(exclusive.results.total, "123.38");
    const Recalculation inclusive =
        Recalculate("105", "17.5", VatMode::Inclusive, exclusive.results);
    ASSERT_EQ(inclusive.error, std::nullopt);
    EXPECT_EQ(inclusive.results.unroundedVat, "15.6382978723404");
    EXPECT_EQ(inclusive.results.roundedVat, "15.64");
    EXPECT_EQ(inclusive.results.total, "105.00");
    EXPECT_EQ(inclusive.results.price, "89.36");
}

TEST(Recalculation, ATypedRoundedVatNeverReachesTheNextPrice) {
    ResultTexts typed = Fresh(VatMode::Exclusive, "105", "17.5").results;
    typed.roundedVat = "100";  // typed by the user; the VAT stays 18.375
    const Recalculation done = Recalculate("105", "17.5", VatMode::Exclusive, typed);
    ASSERT_EQ(done.error, std::nullopt);
    EXPECT_EQ(done.results.roundedVat, "18.38");
    EXPECT_EQ(done.results.price, "105.00");
}

TEST(Recalculation, WithNeitherModeOnlyTheLastFourStepsRun) {
    ResultTexts current;
    current.unroundedVat = "2";
    current.roundedVat = "2.00";
    current.total = "12";
    const Recalculation done = Recalculate("999", "20", VatMode::Neither, current);
    ASSERT_EQ(done.error, std::nullopt);
    EXPECT_EQ(done.results.unroundedVat, "2");
    EXPECT_EQ(done.results.price, "10.00");
    EXPECT_EQ(done.results.unformattedPrice, "10");
    EXPECT_EQ(done.results.total, "12.00");
}

}  // namespace
}  // namespace tolvi
