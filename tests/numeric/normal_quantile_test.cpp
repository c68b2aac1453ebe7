// The normal-quantile convention: what its comment says of Student's t with
// 9999 degrees of freedom and of the fixed multipliers holds. Reference
// values from R 4.2: qt(0.975, 9999) = 1.9602012636213568, qt(0.995, 9999) =
// 2.5763210958565974, qnorm(0.975) = 1.959963984540054.
#include <cmath>
#include <optional>

#include <gtest/gtest.h>

#include "numeric/normal_quantile.h"
#include "numeric/worksheet_functions.h"
#include "support/tolerance.h"

namespace tavelmark::numeric {
namespace {

TEST(NormalQuantile, TWith9999DegreesOfFreedomStandsForTheNormal) {
    const auto t975 = wsf::Tinv(0.05, kNormalDegreesOfFreedom);
    ASSERT_TRUE(t975);
    EXPECT_TRUE(test::Near(*t975, 1.9602012636213568, 1e-12));
    EXPECT_TRUE(test::Near(*t975, 1.959963984540054, 0, 2.4e-4));
    EXPECT_TRUE(test::Near(kNormal95TwoDecimals, 1.959963984540054, 0, 0.005));
}

TEST(NormalQuantile, FixedMultipliersAgreeWithTheTQuantilesToSixDigitsOnly) {
    struct Case {
        double multiplier;
        double quantile;  // R: qt(1 - p/2, 9999)
    };
    const Case cases[] = {
        {kNormal95Multiplier, 1.9602012636213568},
        {kNormal95MultiplierNineDecimals, 1.9602012636213568},
        {kNormal99Multiplier, 2.5763210958565974},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(test::Near(c.multiplier, c.quantile, 5e-6)) << c.multiplier;
        EXPECT_NE(c.multiplier, c.quantile);
    }
    EXPECT_EQ(std::round(kNormal95Multiplier * 1e9) / 1e9, kNormal95MultiplierNineDecimals);
}

// The named conventions against R 4.2.2 (values in the comments).
TEST(NormalQuantile, NamedConventionsAndTheTrueNormal) {
    struct Case {
        const char* call;
        std::optional<double> actual;
        double expected;
    };
    const Case cases[] = {
        {"ReportNormalPoint(0.05)", ReportNormalPoint(0.05), 1.9602012636213568},   // qt(0.975, 9999)
        {"ReportNormalPoint(0.10)", ReportNormalPoint(0.10), 1.6450060333112981},   // qt(0.95, 9999)
        {"ReportNormalTwoSidedP(1.96)", ReportNormalTwoSidedP(1.96), 5.0023523005210228e-02},  // 2 pt(-1.96, 9999)
        {"ReportNormalUpperP(2.5)", ReportNormalUpperP(2.5), 6.2176105700100896e-03},  // pt(-2.5, 9999)
        {"NormalQuantile(0.975)", NormalQuantile(0.975), 1.9599639845400536},       // qnorm(0.975)
        {"NormalQuantile(0.1)", NormalQuantile(0.1), -1.2815515655446008},          // qnorm(0.1)
        {"NormalUpperTail(1.96)", NormalUpperTail(1.96), 2.4997895148220428e-02},   // pnorm(-1.96)
        {"NormalUpperTail(8)", NormalUpperTail(8), 6.2209605742717849e-16},         // pnorm(-8)
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(c.actual) << c.call;
        EXPECT_TRUE(test::Near(*c.actual, c.expected, 1e-12)) << c.call;
    }
    // Like TDIST, the report's tail refuses a negative statistic.
    EXPECT_FALSE(ReportNormalTwoSidedP(-1));
}

}  // namespace
}  // namespace tavelmark::numeric
