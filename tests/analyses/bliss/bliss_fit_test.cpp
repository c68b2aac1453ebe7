#include "analyses/bliss/bliss_fit.h"

#include <cmath>

#include <gtest/gtest.h>

#include "analyses/bliss/bliss_messages.h"
#include "bliss_fixtures.h"
#include "support/tolerance.h"

namespace tavelmark::bliss {
namespace {

using test::Groups;
using test::SameTo;
using test::WorkedExample;

TEST(BlissFit, WorkedExampleToFourDecimals) {
    const BlissFitOutcome outcome = FitBliss(WorkedExample(), 0);
    ASSERT_TRUE(outcome.fit) << outcome.failure;
    const BlissFit& f = *outcome.fit;
    // Worked example of the manual (six groups, no background mortality).
    EXPECT_EQ(f.iterations, 3);
    const struct {
        const char* name;
        double actual, expected;
    } values[] = {
        {"a", f.a, -1.7316},
        {"b", f.b, 5.8431},
        {"X50", f.X50, 1.1521},
        {"LD50", f.LD50, 14.1924},
        {"Sx50", f.Sx50, 0.0274},
        {"Sb", f.Sb, 0.8699},
        {"lower", f.limits.lower, 12.5392},
        {"upper", f.limits.upper, 16.0635},
        {"ML95", f.limits.ml95, 1.7621},
        {"L95%", f.limits.l95Percent, 0.1242},
        {"g", f.g, 0.0852},
        {"chi2", f.chi2, 3.4078},
        {"Pchi", f.Pchi.value_or(NAN), 0.4920},
        {"Fieller lower", f.fieller ? f.fieller->lower : NAN, 12.4670},
        {"Fieller upper", f.fieller ? f.fieller->upper : NAN, 16.1524},
        {"Fieller Sx50", f.fieller ? f.fieller->sx50 : NAN, 0.0287},
        {"t", f.t.value_or(NAN), 2.7764},
        {"SbH", f.SbH.value_or(NAN), 0.8029},
        {"gH", f.gH.value_or(NAN), 0.1456},
        {"heterogeneity lower", f.heterogeneity ? f.heterogeneity->lower : NAN, 11.9090},
        {"heterogeneity upper", f.heterogeneity ? f.heterogeneity->upper : NAN, 16.9056},
        {"heterogeneity Sx50", f.heterogeneity ? f.heterogeneity->sx50 : NAN, 0.0274},
    };
    for (const auto& v : values) EXPECT_TRUE(SameTo(v.actual, v.expected, 4)) << v.name;
    EXPECT_EQ(f.df, 4);
    EXPECT_TRUE(SameTo(f.Pchi.value_or(NAN), 0.492032, 6));
    EXPECT_EQ(f.equation, "-1.7316 + 5.8431×Log(D)");
    ASSERT_EQ(f.groups.size(), 6u);
    EXPECT_TRUE(SameTo(f.groups[0].Ye, 7.2400, 4));
    EXPECT_TRUE(SameTo(f.groups[5].Ye, 2.7600, 4));
    for (const BlissGroupFit& g : f.groups) EXPECT_LT(std::fabs(g.e), kBlissConvergence);
}

TEST(BlissFit, SumsAndMeansDescribeTheLastRound) {
    const BlissFit f = *FitBliss(WorkedExample(), 0).fit;
    double S0 = 0, S1 = 0, S4 = 0;
    for (const BlissGroupFit& g : f.groups) S0 += g.W, S1 += g.W * g.x, S4 += g.W * g.y;
    EXPECT_DOUBLE_EQ(f.S0, S0);
    EXPECT_DOUBLE_EQ(f.S1, S1);
    EXPECT_DOUBLE_EQ(f.S4, S4);
    EXPECT_DOUBLE_EQ(f.xMean, S1 / S0);
    // X50 lies on the line: a + b X50 = 5.
    EXPECT_NEAR(f.a + f.b * f.X50, 5, 1e-12);
    const BlissHandOver h = f.handOver();
    EXPECT_EQ(h.a, f.a);
    EXPECT_EQ(h.S2, f.S2);
}

TEST(BlissFit, BackgroundMortalityCorrectsTheRates) {
    // Rate equal to c: P = 0 and the zero-rate probit; all positive stays P = 1.
    const auto groups = Groups({40, 20, 10, 5}, {10, 10, 10, 10}, {10, 7, 3, 1});
    const BlissFit f = *FitBliss(groups, 0.1).fit;
    EXPECT_EQ(f.groups[0].P, 1.0);
    EXPECT_NEAR(f.groups[1].P, (0.7 - 0.1) / 0.9, 1e-15);
    EXPECT_EQ(f.groups[3].P, 0.0);
    EXPECT_TRUE(SameTo(f.groups[3].Ye, 3.97 - 0.93, 12));
}

TEST(BlissFit, FallingResponseWritesItsOwnSignAndKeepsLimitsOrdered) {
    const auto groups = Groups({5, 10, 20, 40}, {20, 20, 20, 20}, {17, 12, 7, 2});
    const BlissFitOutcome outcome = FitBliss(groups, 0);
    ASSERT_TRUE(outcome.fit) << outcome.failure;
    const BlissFit& f = *outcome.fit;
    EXPECT_LT(f.b, 0);
    EXPECT_EQ(f.equation.find(" + "), std::string::npos) << f.equation;
    EXPECT_LT(f.limits.lower, f.LD50);
    EXPECT_GT(f.limits.upper, f.LD50);
    ASSERT_TRUE(f.fieller);
    EXPECT_LT(f.fieller->lower, f.fieller->upper);
    EXPECT_GT(f.fieller->sx50, 0);
    ASSERT_TRUE(f.heterogeneity);
    EXPECT_LT(f.heterogeneity->lower, f.heterogeneity->upper);
    EXPECT_GT(f.heterogeneity->sx50, 0);
}

TEST(BlissFit, EquationText) {
    EXPECT_EQ(BlissEquationText(8.2, -3.1), "8.2-3.1×Log(D)");
    EXPECT_EQ(BlissEquationText(-1.73164, 5.84306), "-1.7316 + 5.8431×Log(D)");
    EXPECT_EQ(BlissEquationText(0.5, 2), "0.5 + 2×Log(D)");
}

TEST(BlissFit, HeterogeneityCorrectedGIsCappedButFiellerGIsNot) {
    // A shallow, noisy line with few animals: (t SbH / b)^2 is about 10, and
    // g itself is above 1.
    const auto groups = Groups({1, 2, 4, 8}, {6, 6, 6, 6}, {1, 4, 2, 5});
    const BlissFitOutcome outcome = FitBliss(groups, 0);
    ASSERT_TRUE(outcome.fit) << outcome.failure;
    ASSERT_TRUE(outcome.fit->gH);
    EXPECT_EQ(*outcome.fit->gH, 0.9);
    EXPECT_GT(outcome.fit->g, 1);
    ASSERT_TRUE(outcome.fit->heterogeneity);
    EXPECT_LT(outcome.fit->heterogeneity->lower, outcome.fit->heterogeneity->upper);
}

// Data the line cannot be fitted to stop with a message, never a result
// made of NaN or infinity, and never an endless loop.
TEST(BlissFit, BreakdownsGiveAMessage) {
    const struct {
        const char* what;
        std::vector<BlissGroup> groups;
        const char* message;
    } cases[] = {
        {"all doses equal", Groups({10, 10, 10}, {10, 10, 10}, {2, 5, 8}), text::kEqualDoses},
        {"all or none (no maximum-likelihood line)",
         Groups({1, 2, 4, 8}, {10, 10, 10, 10}, {0, 0, 10, 10}), nullptr},
        {"no response at any dose", Groups({1, 2, 4}, {10, 10, 10}, {0, 0, 0}), nullptr},
        {"two groups", Groups({1, 2}, {10, 10}, {2, 8}), text::kTooFewGroups},
    };
    for (const auto& c : cases) {
        const BlissFitOutcome outcome = FitBliss(c.groups, 0);
        EXPECT_FALSE(outcome.fit) << c.what;
        EXPECT_FALSE(outcome.failure.empty()) << c.what;
        if (c.message) {
            EXPECT_EQ(outcome.failure, c.message) << c.what;
        }
    }
}

TEST(BlissFit, NoFiellerIntervalWhenGReachesOne) {
    // A flat response: the slope is far from significant.
    const auto groups = Groups({1, 2, 4, 8}, {4, 4, 4, 4}, {1, 3, 1, 3});
    const BlissFitOutcome outcome = FitBliss(groups, 0);
    ASSERT_TRUE(outcome.fit) << outcome.failure;
    EXPECT_GE(outcome.fit->g, 1);
    EXPECT_FALSE(outcome.fit->fieller);
}

}  // namespace
}  // namespace tavelmark::bliss
