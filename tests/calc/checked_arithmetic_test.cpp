#include "calc/checked_arithmetic.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <functional>

#include "calc/calc_error.h"

namespace tolvi {
namespace {

CalcErrorKind KindRaisedBy(const std::function<void()>& step) {
    try {
        step();
    } catch (const CalcError& e) {
        return e.kind();
    }
    ADD_FAILURE() << "no error raised";
    return CalcErrorKind::TypeMismatch;
}

TEST(CheckedArithmetic, EveryStepIsTested) {
    EXPECT_EQ(KindRaisedBy([] { CheckedMul(DBL_MAX, 2); }), CalcErrorKind::Overflow);
    EXPECT_EQ(KindRaisedBy([] { CheckedAdd(DBL_MAX, DBL_MAX); }), CalcErrorKind::Overflow);
    EXPECT_EQ(KindRaisedBy([] { CheckedSub(-DBL_MAX, DBL_MAX); }), CalcErrorKind::Overflow);
    EXPECT_EQ(KindRaisedBy([] { CheckedDiv(5, 0); }), CalcErrorKind::DivisionByZero);
    EXPECT_EQ(KindRaisedBy([] { CheckedDiv(-5, -0.0); }), CalcErrorKind::DivisionByZero);
    EXPECT_EQ(KindRaisedBy([] { CheckedDiv(0, 0); }), CalcErrorKind::InvalidOperation);
    EXPECT_EQ(KindRaisedBy([] { CheckedDiv(DBL_MAX, 0.5); }), CalcErrorKind::Overflow);
    EXPECT_EQ(KindRaisedBy([] { Tested(DBL_MAX * 2 - DBL_MAX * 2); }),
              CalcErrorKind::InvalidOperation);
}

TEST(CheckedArithmetic, FiniteResultsPassUnchanged) {
    EXPECT_EQ(CheckedAdd(0.1, 0.2), 0.1 + 0.2);
    EXPECT_EQ(CheckedDiv(11700, 117.5), 11700 / 117.5);
    EXPECT_EQ(CheckedMul(1e-200, 1e-200), 0.0);  // underflow is not an error
}

}  // namespace
}  // namespace tolvi
