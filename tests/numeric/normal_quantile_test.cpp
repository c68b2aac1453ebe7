// The normal-quantile convention: what its comment says of Student's t with
// 9999 degrees of freedom and of the fixed multipliers holds. Reference
// values from R 4.2: qt(0.975, 9999) = 1.9602012636213568, qt(0.995, 9999) =
// 2.5763210958565974, qnorm(0.975) = 1.959963984540054.
#include <cmath>

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

}  // namespace
}  // namespace tavelmark::numeric
