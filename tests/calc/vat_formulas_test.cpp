#include "calc/vat_formulas.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "calc/calc_error.h"
#include "calc/number_text.h"

namespace tolvi {
namespace {

enum class Formula { Exclusive, Inclusive };

struct FormulaCase {
    Formula formula;
    std::string amount;
    std::string rate;
    std::string expected;  // as NumberToText writes it
};

void PrintTo(const FormulaCase& c, std::ostream* out) {
    *out << (c.formula == Formula::Exclusive ? "ExclusiveVat" : "InclusiveVat") << "(\"" << c.amount
         << "\", \"" << c.rate << "\") -> " << c.expected;
}

class VatFormula : public testing::TestWithParam<FormulaCase> {};

TEST_P(VatFormula, GivesTheVatToTheLastDigit) {
    const FormulaCase& c = GetParam();
    const NumberFormat format;
    const double vat = c.formula == Formula::Exclusive ? ExclusiveVat(c.amount, c.rate, format)
                                                       : InclusiveVat(c.amount, c.rate, format);
    EXPECT_EQ(NumberToText(vat, format), c.expected) << c.amount << " at " << c.rate;
}

INSTANTIATE_TEST_SUITE_P(
    Worked, VatFormula,
    testing::Values(FormulaCase{Formula::Exclusive, "105", "17.5", "18.375"},
                    FormulaCase{Formula::Exclusive, "1.1", "17.5", "0.1925"},
                    FormulaCase{Formula::Exclusive, "99.99", "20", "19.998"},
                    FormulaCase{Formula::Exclusive, "100", "", "0"},
                    FormulaCase{Formula::Inclusive, "117.5", "17.5", "17.5"},
                    FormulaCase{Formula::Inclusive, "123.375", "17.5", "18.375"},
                    FormulaCase{Formula::Inclusive, "100", "20", "16.6666666666667"},
                    FormulaCase{Formula::Inclusive, "1", "15", "0.130434782608696"},
                    FormulaCase{Formula::Inclusive, "117", "17.5", "17.4255319148936"},
                    // Amounts whose intermediate results carry more than 15 digits: each
                    // pass through text, and the order of the steps, shows in the last digit.
                    FormulaCase{Formula::Exclusive, "19.151014297", "50.8975", "9.74738750181558"},
                    FormulaCase{Formula::Inclusive, "0.02", "17.5", "0.0029787234042553"},
                    FormulaCase{Formula::Inclusive, "1.1", "17.5", "0.163829787234043"},
                    // Rates with more digits than pass through text: 100 + rate is cut to 15.
                    FormulaCase{Formula::Inclusive, "432462.28", "17.1234567890123456",
                                "63226.012683331"},
                    FormulaCase{Formula::Inclusive, "575246.30", "0.0000000000001", "0"},
                    // Empty texts, commas, second points.
                    FormulaCase{Formula::Exclusive, "", "17.5", "0"},
                    FormulaCase{Formula::Inclusive, "", "17.5", "0"},
                    FormulaCase{Formula::Inclusive, "100", "", "0"},
                    FormulaCase{Formula::Exclusive, "1,000", "20", "200"},
                    FormulaCase{Formula::Inclusive, "1,200", "20", "200"},
                    FormulaCase{Formula::Exclusive, "100", "1,5", "1"},
                    FormulaCase{Formula::Exclusive, "12.5.3", "100", "12.5"},
                    FormulaCase{Formula::Inclusive, "12.5.3", "0", "0"}));

TEST(VatFormula, ARateOfMinusOneHundredDividesByZero) {
    const NumberFormat format;
    try {
        InclusiveVat("5", "-100", format);
        ADD_FAILURE();
    } catch (const CalcError& e) {
        EXPECT_EQ(e.kind(), CalcErrorKind::DivisionByZero);
    }
    try {
        InclusiveVat("", "-100", format);
        ADD_FAILURE();
    } catch (const CalcError& e) {
        EXPECT_EQ(e.kind(), CalcErrorKind::InvalidOperation);
    }
    EXPECT_EQ(ExclusiveVat("5", "-100", format), -5);
}

TEST(VatFormula, ProductsBeyondADoubleOverflow) {
    const NumberFormat format;
    const std::string huge = "1e300";
    EXPECT_THROW(ExclusiveVat(huge, huge, format), CalcError);
    EXPECT_THROW(InclusiveVat("1.7e308", "0", format), CalcError);
}

}  // namespace
}  // namespace tolvi
