#include "analyses/bliss/probit.h"

#include <gtest/gtest.h>

#include "support/tolerance.h"

namespace tavelmark::bliss {
namespace {

using test::Near;
using test::SameTo;

TEST(EmpiricalProbit, EndValuesOfTheWorkedExample) {
    // Worked example of the manual: 20 of 20 and 0 of 20 positives.
    EXPECT_TRUE(SameTo(GroupEmpiricalProbit(1, 20), 7.2400, 4));
    EXPECT_TRUE(SameTo(GroupEmpiricalProbit(0, 20), 2.7600, 4));
    EXPECT_EQ(GroupEmpiricalProbit(0.5, 20), 5.0);
    EXPECT_EQ(EmpiricalProbit(0.5), 5.0);
}

TEST(EmpiricalProbit, FollowsTheNormalQuantileAndIsSymmetric) {
    // Normal quantiles + 5 (R: qnorm(p) + 5); the method's own constants keep
    // the approximation within a few thousandths.
    const struct {
        double P, probit;
    } cases[] = {{0.85, 6.036433}, {0.8, 5.841621}, {0.3, 4.475599}, {0.1, 3.718448}, {0.01, 2.673652}};
    for (const auto& c : cases) {
        EXPECT_TRUE(Near(EmpiricalProbit(c.P), c.probit, 0, 0.005)) << c.P;
        EXPECT_NEAR(EmpiricalProbit(c.P) - 5, 5 - EmpiricalProbit(1 - c.P), 1e-12) << c.P;
    }
}

TEST(WorkingProbit, WeightAndWorkingProbitMatchTheNormalCurve) {
    // Exact values from the normal density z and distribution Phi at Y - 5
    // (R: dnorm, pnorm): w = z^2 / (Phi (1 - Phi)), y = Y + (P - Phi) / z.
    const struct {
        double Y, P, w, y;
    } cases[] = {
        {5.0, 0.5, 0.63661977, 5.0},
        {6.0, 0.9, 0.43862886, 6.0 + (0.9 - 0.841344746) / 0.24197072},
        {3.5, 0.0, 0.26906852, 3.5 - 0.066807201 / 0.12951760},
        {4.2, 1.0, 0.50260433, 4.2 + (1 - 0.211855399) / 0.28969155},
    };
    for (const auto& c : cases) {
        const WorkingProbitValues v = WorkingProbit(c.Y, c.P);
        EXPECT_TRUE(Near(v.w, c.w, 1e-5)) << c.Y;
        EXPECT_TRUE(Near(v.y, c.y, 1e-5, 1e-6)) << c.Y;
    }
}

TEST(WorkingProbit, FarTailsCarryNoWeightInsteadOfOverflowing) {
    for (double Y : {-40.0, 60.0}) {
        const WorkingProbitValues v = WorkingProbit(Y, 1.0);
        EXPECT_EQ(v.w, 0.0);
        EXPECT_EQ(v.y, Y);
    }
}

}  // namespace
}  // namespace tavelmark::bliss
