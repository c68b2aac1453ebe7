// Fieller's limits of a ratio and Holm's adjustment.
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "numeric/fieller_ratio.h"
#include "numeric/holm.h"
#include "support/tolerance.h"

namespace tavelmark::numeric {
namespace {

// Fieller's limits are where the pivot (a - m b) / sqrt(vaa - 2 m vab + m^2 vbb)
// equals -/+ t; the cases cover a positive and a negative denominator,
// correlated estimates and a g close to 1.
TEST(FiellerRatio, ThePivotEqualsTAtEachLimit) {
    const struct {
        double a, b, vaa, vbb, vab, t;
    } cases[] = {
        {1.2, 2.5, 0.04, 0.09, 0.01, 1.959964},
        {-0.7, 4.2, 0.1, 0.23, -0.05, 2.160369},
        {2.0, -3.0, 0.05, 0.2, 0.02, 1.959964},
        {0.3, 1.0, 0.02, 0.24, 0.03, 1.959964},  // g = 0.92
    };
    for (const auto& c : cases) {
        const FiellerRatio f = FiellerRatioLimits(c.a, c.b, c.vaa, c.vbb, c.vab, c.t);
        ASSERT_TRUE(f.lower && f.upper) << c.a;
        EXPECT_LT(*f.lower, f.m);
        EXPECT_GT(*f.upper, f.m);
        const auto pivot = [&](double m) {
            return (c.a - m * c.b) / std::sqrt(c.vaa - 2 * m * c.vab + m * m * c.vbb);
        };
        EXPECT_TRUE(test::Near(std::fabs(pivot(*f.lower)), c.t, 1e-12)) << c.a;
        EXPECT_TRUE(test::Near(std::fabs(pivot(*f.upper)), c.t, 1e-12)) << c.a;
        EXPECT_TRUE(test::Near(f.g, c.t * c.t * c.vbb / (c.b * c.b), 1e-15));
    }
}

TEST(FiellerRatio, NoFiniteIntervalOnceGReachesOne) {
    for (double vbb : {0.27, 1.0, 5.0}) {
        const FiellerRatio f = FiellerRatioLimits(0.3, 1.0, 0.02, vbb, 0.0, 1.959964);
        EXPECT_GE(f.g, 1.0);
        EXPECT_FALSE(f.lower || f.upper) << vbb;
        EXPECT_DOUBLE_EQ(f.m, 0.3);
    }
}

// R: p.adjust(p, "holm").
TEST(Holm, AgreesWithR) {
    const struct {
        std::vector<double> p, adjusted;
    } cases[] = {
        {{0.01, 0.04, 0.03, 0.005}, {0.03, 0.06, 0.06, 0.02}},
        {{0.5, 0.2, 0.9}, {1, 0.6, 1}},
        {{0.02, 0.02, 0.3}, {0.06, 0.06, 0.3}},
        {{0.04}, {0.04}},
    };
    for (const auto& c : cases) {
        const std::vector<double> adjusted = HolmAdjusted(c.p);
        ASSERT_EQ(adjusted.size(), c.adjusted.size());
        for (std::size_t i = 0; i < adjusted.size(); ++i) EXPECT_TRUE(test::Near(adjusted[i], c.adjusted[i], 1e-14)) << i;
    }
}

}  // namespace
}  // namespace tavelmark::numeric
