// The statistics of the 2x2 table. Reference values of the example table
// (12, 20, 19, 11) are those of the worked example of the manual.
#include <gtest/gtest.h>

#include <cmath>

#include "analyses/rates/chi_square.h"
#include "analyses/rates/equivalence.h"
#include "analyses/rates/fisher_exact.h"
#include "analyses/rates/pooled_tests.h"
#include "analyses/rates/rate_estimates.h"
#include "numeric/worksheet_functions.h"
#include "support/tolerance.h"

namespace tavelmark::rates {
namespace {

using test::Near;
using test::SameTo;

const RateTable kExample = MakeRateTable(12, 20, 19, 11);

TEST(RatesExample, ChiSquaresExpectedCountsAndTheirP) {
    const ChiSquares chi = ComputeChiSquares(kExample);
    struct Row {
        std::optional<double> statistic;
        double value, p;
    };
    const Row rows[] = {{chi.pearson, 4.13333, 0.04205},
                        {chi.yates, 3.16458, 0.07525},
                        {chi.mantelHaenszel, 4.06667, 0.04374},
                        {chi.likelihoodRatio, 4.18074, 0.04089}};
    for (const auto& row : rows) {
        ASSERT_TRUE(row.statistic);
        EXPECT_TRUE(SameTo(*row.statistic, row.value, 5));
        EXPECT_TRUE(SameTo(*numeric::wsf::Chidist(*row.statistic, 1), row.p, 5));
    }
    const ExpectedCounts e = ComputeExpectedCounts(kExample);
    EXPECT_EQ((std::array{*e.a, *e.b, *e.c, *e.d}), (std::array{16.0, 16.0, 15.0, 15.0}));
    EXPECT_FALSE(YatesAdviceApplies(kExample));
    EXPECT_FALSE(FisherAdviceApplies(kExample, e));
}

TEST(RatesExample, FisherPooledTestsAndTheirP) {
    const FisherProbabilities f = ComputeFisherProbabilities(kExample);
    EXPECT_TRUE(SameTo(*f.oneSided, 0.03722, 5));
    EXPECT_TRUE(SameTo(*f.oppositeSide, 0.03722, 5));
    EXPECT_TRUE(SameTo(*f.twoSided, 0.07443, 5));

    const PooledTests tests = ComputePooledTests(kExample);
    EXPECT_TRUE(SameTo(*tests.standardError, 0.12707, 5));
    EXPECT_TRUE(SameTo(*tests.t, 2.02486, 5));
    EXPECT_TRUE(SameTo(*tests.u, 2.03306, 5));
    EXPECT_TRUE(SameTo(*tests.uPrime, 1.77893, 5));
    EXPECT_TRUE(SameTo(*TTestP(tests, kExample), 0.04726, 5));
    EXPECT_TRUE(SameTo(*UTestP(tests), 0.04207, 5));
    EXPECT_TRUE(SameTo(*UPrimeTestP(tests), 0.07528, 5));
}

TEST(RatesExample, RatesLimitsOddsAndRatios) {
    const RateEstimates e = ComputeRateEstimates(kExample);
    EXPECT_EQ(*e.p1, 0.375);
    EXPECT_TRUE(SameTo(*e.p2, 0.63333, 5));
    EXPECT_TRUE(SameTo(*e.oddR, 0.6, 5));
    EXPECT_TRUE(SameTo(*e.oddT, 1.72727, 5));
    EXPECT_TRUE(SameTo(*e.oddsRatio, 2.87879, 5));
    EXPECT_TRUE(SameTo(*e.relativeRisk, 1.68889, 5));
    EXPECT_EQ(LimitsText(*e.limitsR), "21.664～56.251%");
    EXPECT_EQ(LimitsText(*e.limitsT), "43.908～79.458%");
}

TEST(RatesExample, EquivalenceSides) {
    const auto margins = ComputeEquivalence(kExample);
    // Margin 0.05: the upper side is negative, the lower side is equivalent.
    EXPECT_TRUE(SameTo(*margins[0].upper.t, -1.63956, 5));
    EXPECT_EQ(margins[0].upper.pCell, EquivalenceSide::PCell::Dash);
    EXPECT_EQ(margins[0].upper.conclusion, "等效不合格");
    EXPECT_TRUE(SameTo(*margins[0].lower.t, 2.42656, 5));
    EXPECT_TRUE(SameTo(*margins[0].lower.p, 0.00913, 5));
    EXPECT_EQ(margins[0].lower.conclusion, "等效合格");
    for (int k = 0; k < 5; ++k) EXPECT_LT(*margins[k].upper.t, 0) << k;
    // Margin 0.30: a positive upper t whose P is above 0.05.
    EXPECT_TRUE(SameTo(*margins[5].upper.t, 0.32791, 5));
    EXPECT_TRUE(SameTo(*margins[5].upper.p, 0.37206, 5));
    EXPECT_EQ(margins[5].upper.conclusion, "等效不合格");
}

TEST(RatesExample, SampleSizes) {
    const auto sizes = ComputeSampleSizes(kExample);
    const double twoSided[] = {45, 57, 77, 95}, oneSided[] = {34, 45, 63, 79};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(*sizes[i].twoSided, twoSided[i]) << i;
        EXPECT_EQ(*sizes[i].oneSided, oneSided[i]) << i;
    }
    EXPECT_EQ(SampleSizeText(45), "N1=N2= 45");
    EXPECT_EQ(SampleSizeText(1234), "N1=N2= 1234");
    // Rates of 1 and 2 in 1e300 need a size of 63 digits: written whole, in
    // scientific notation.
    EXPECT_EQ(SampleSizeText(3.788209004940404e62), "N1=N2= 3.7882090049404E+62");
    // The groups swapped (a negative arcsine difference) need the same sizes.
    const auto swapped = ComputeSampleSizes(MakeRateTable(19, 11, 12, 20));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(swapped[i].twoSided, sizes[i].twoSided);
        EXPECT_EQ(swapped[i].oneSided, sizes[i].oneSided);
    }
}

TEST(ChiSquare, YatesIsClippedAtZeroAndZeroMarginsLeaveStatisticsEmpty) {
    // |ad - bc| below N/2: the correction would exceed the difference itself.
    for (const RateTable& t : {MakeRateTable(5, 5, 5, 5), MakeRateTable(0, 2, 1, 33)}) {
        const ChiSquares chi = ComputeChiSquares(t);
        EXPECT_EQ(chi.yates, 0.0);
        EXPECT_EQ(numeric::wsf::Chidist(*chi.yates, 1), 1.0);
    }

    // A zero cell adds 0 ln 0 = 0 to G (R, data/rates_reference.csv: 10.974338742010609).
    const ChiSquares zeroCell = ComputeChiSquares(MakeRateTable(0, 10, 6, 4));
    ASSERT_TRUE(zeroCell.likelihoodRatio);
    EXPECT_NEAR(*zeroCell.likelihoodRatio, 10.974338742010609, 1e-12);
    EXPECT_TRUE(zeroCell.pearson && zeroCell.yates && zeroCell.mantelHaenszel);

    // A margin of 0: nothing to test, and Mantel-Haenszel is not made 0.
    for (const RateTable& t : {MakeRateTable(0, 10, 0, 10), MakeRateTable(0, 0, 3, 4),
                               MakeRateTable(0, 0, 0, 0)}) {
        const ChiSquares chi = ComputeChiSquares(t);
        EXPECT_FALSE(chi.pearson || chi.yates || chi.mantelHaenszel || chi.likelihoodRatio);
    }
}

TEST(ChiSquare, MinOfFourTakesTheSmallest) {
    EXPECT_EQ(MinOfFour(3, 2, 1, 0), 0);
    EXPECT_EQ(MinOfFour(-1, 2, 1, 0), -1);
    EXPECT_EQ(MinOfFour(4, 4, 9, 5), 4);
}

TEST(ChiSquare, Advisories) {
    struct Case {
        double a, b, c, d;
        bool yates, fisher;
        const char* why;
    };
    const Case cases[] = {
        {12, 20, 19, 11, false, false, "the example"},
        {50, 50, 50, 51, true, false, "N = 201"},
        {50, 50, 50, 50, false, false, "N = 200 is not above 200"},
        {2, 100, 50, 50, true, true, "N above 200 and a count of 2: both"},
        {2, 30, 20, 20, false, true, "a count of 2"},
        {3, 17, 10, 10, false, false, "a count of 3 with N = 40 and expected counts >= 5"},
        {3, 30, 3, 3, false, true, "N = 39 with a small expected count"},
        {4, 30, 3, 3, false, false, "N = 40 with a small expected count"},
        {5, 5, 5, 5, false, false, "an expected count of exactly 5"},
        {0, 10, 6, 4, false, true, "a zero count"},
        {0, 0, 0, 0, false, true, "an empty table"},
    };
    for (const auto& c : cases) {
        const RateTable t = MakeRateTable(c.a, c.b, c.c, c.d);
        EXPECT_EQ(YatesAdviceApplies(t), c.yates) << c.why;
        EXPECT_EQ(FisherAdviceApplies(t, ComputeExpectedCounts(t)), c.fisher) << c.why;
    }
}

TEST(Fisher, Log10FactorialIsTheSumOfLogarithms) {
    EXPECT_EQ(Log10Factorial(0), 0);
    EXPECT_EQ(Log10Factorial(-3), 0);
    EXPECT_TRUE(Near(Log10Factorial(5), std::log10(120.0), 1e-14));
    EXPECT_TRUE(Near(Log10Factorial(200), std::lgamma(201.0) / std::log(10.0), 1e-13));
}

TEST(Fisher, EdgesOfTheValidRangeAndOfTheSizeLimit) {
    // T positives can be at most 4: only the tables with 3 and 4 count, 22/28.
    const FisherProbabilities edge = ComputeFisherProbabilities(MakeRateTable(3, 1, 3, 1));
    EXPECT_TRUE(SameTo(*edge.oneSided, 0.78571, 5));
    EXPECT_EQ(*edge.twoSided, 1);

    // Equal groups with equal counts: one side holds at least half.
    const FisherProbabilities equal = ComputeFisherProbabilities(MakeRateTable(6, 4, 6, 4));
    EXPECT_GE(*equal.oneSided, 0.5);
    EXPECT_EQ(*equal.twoSided, 1);

    // A zero cell: the observed table alone, 1 / C(12, 6) here.
    const FisherProbabilities zero = ComputeFisherProbabilities(MakeRateTable(0, 6, 6, 0));
    EXPECT_TRUE(Near(*zero.oneSided, 1.0 / 924, 1e-12));

    // Tables whose rate difference equals the observed one in exact arithmetic
    // but not in floating point (|1/3 - 1| = |2/3 - 0|) are both counted.
    EXPECT_TRUE(Near(*ComputeFisherProbabilities(MakeRateTable(1, 0, 1, 2)).twoSided, 1, 1e-12));

    const FisherProbabilities large = ComputeFisherProbabilities(MakeRateTable(50, 50, 50, 51));
    EXPECT_TRUE(large.tooLarge);
    EXPECT_FALSE(large.oneSided || large.oppositeSide || large.twoSided);
    EXPECT_FALSE(ComputeFisherProbabilities(MakeRateTable(50, 50, 50, 50)).tooLarge);

    const FisherProbabilities empty = ComputeFisherProbabilities(MakeRateTable(0, 0, 0, 0));
    EXPECT_FALSE(empty.tooLarge || empty.oneSided || empty.twoSided);
}

TEST(PooledTests, UPrimeIsClampedAtZeroWithAPOfOne) {
    // 5/10 and 6/11: the difference 0.045 is below the correction 0.095;
    // 0/2 and 1/34: 0.029 below 0.265.
    for (const RateTable& t : {MakeRateTable(5, 5, 6, 5), MakeRateTable(0, 2, 1, 33)}) {
        const PooledTests tests = ComputePooledTests(t);
        EXPECT_EQ(tests.uPrime, 0.0);
        EXPECT_EQ(UPrimeTestP(tests), 1.0);
    }
    // N = 201: the exact test is skipped, the pooled tests are not.
    EXPECT_TRUE(ComputePooledTests(MakeRateTable(50, 50, 50, 51)).t);
}

TEST(PooledTests, NoPooledErrorLeavesTheTestsEmpty) {
    for (const RateTable& t : {MakeRateTable(0, 5, 0, 5), MakeRateTable(5, 0, 5, 0),
                               MakeRateTable(0, 0, 3, 3), MakeRateTable(0, 0, 0, 0)}) {
        const PooledTests tests = ComputePooledTests(t);
        EXPECT_FALSE(tests.standardError || tests.t || tests.u || tests.uPrime);
        EXPECT_FALSE(TTestP(tests, t));
    }
    // Two subjects, one in each group: N - 1 = 1 degree of freedom still gives a P.
    const RateTable two = MakeRateTable(1, 0, 0, 1);
    EXPECT_TRUE(TTestP(ComputePooledTests(two), two));
}

TEST(RateEstimates, InfiniteAndUndefinedRatiosAreNotZero) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double a, b, c, d;
        std::optional<double> oddR, oddT, oddsRatio, relativeRisk;
        const char* why;
    };
    const Case cases[] = {
        {0, 10, 5, 5, 0.0, 1.0, inf, inf, "p1 = 0 < p2"},
        {0, 10, 0, 10, 0.0, 0.0, std::nullopt, std::nullopt, "p1 = p2 = 0"},
        {5, 5, 10, 0, 1.0, inf, inf, 2.0, "p2 = 1 > p1"},
        {10, 0, 5, 5, inf, 1.0, 0.0, 0.5, "p1 = 1 > p2"},
        {10, 0, 10, 0, inf, inf, std::nullopt, 1.0, "p1 = p2 = 1"},
        {0, 0, 5, 5, std::nullopt, 1.0, std::nullopt, std::nullopt, "group R empty"},
    };
    for (const auto& c : cases) {
        const RateEstimates e = ComputeRateEstimates(MakeRateTable(c.a, c.b, c.c, c.d));
        EXPECT_EQ(e.oddR, c.oddR) << c.why;
        EXPECT_EQ(e.oddT, c.oddT) << c.why;
        EXPECT_EQ(e.oddsRatio, c.oddsRatio) << c.why;
        EXPECT_EQ(e.relativeRisk, c.relativeRisk) << c.why;
    }
}

TEST(RateEstimates, TheObservedRateLiesInsideItsOwnLimits) {
    for (int n = 1; n <= 60; ++n)
        for (int x = 0; x <= n; ++x) {
            const auto limits = ScoreLimits(x, n);
            ASSERT_TRUE(limits) << x << " of " << n;
            EXPECT_LE(limits->lower, static_cast<double>(x) / n) << x << " of " << n;
            EXPECT_GE(limits->upper, static_cast<double>(x) / n) << x << " of " << n;
            EXPECT_LE(limits->upper, 1.0) << x << " of " << n;
        }
    // At the ends the limit on the observed side is the end itself; the other
    // one keeps its score value (R's prop.test gives 0.20045 and 0.79955).
    // Interior limits are unchanged: 7 of 20 with z = 1.96 (R's qnorm(0.975)
    // moves the lower one to 16.309).
    struct Case {
        double x, n;
        const char* text;
    };
    for (const Case& c : {Case{0, 20, "0～20.045%"}, Case{20, 20, "79.955～100%"},
                          Case{7, 20, "16.308～59.051%"}})
        EXPECT_EQ(LimitsText(*ScoreLimits(c.x, c.n)), c.text) << c.x << " of " << c.n;
}

TEST(RateEstimates, ScoreLimitsForAnEmptyGroup) {
    // An empty group has no limits of its own (never the other group's).
    const RateEstimates e = ComputeRateEstimates(MakeRateTable(3, 4, 0, 0));
    EXPECT_TRUE(e.limitsR);
    EXPECT_FALSE(e.limitsT);
    EXPECT_FALSE(e.p2);
}

TEST(RateEstimates, LimitsTextRoundsHalfUpAndDropsTrailingZeros) {
    // 1/64 is 1.5625 % exactly: the half goes up.
    EXPECT_EQ(LimitsText({1.0 / 64, 0.5}), "1.563～50%");
    EXPECT_EQ(LimitsText({0.125, 0.2}), "12.5～20%");
    EXPECT_EQ(LimitsText({0.0001, 0.99999}), "0.01～99.999%");
}

TEST(Equivalence, UndefinedErrorAndRefusedPGiveNoVerdictOrNoEquivalence) {
    // No pooled error: nothing to test, so no dash and no verdict.
    for (const auto& margin : ComputeEquivalence(MakeRateTable(0, 5, 0, 5))) {
        for (const EquivalenceSide* side : {&margin.upper, &margin.lower}) {
            EXPECT_FALSE(side->t);
            EXPECT_EQ(side->pCell, EquivalenceSide::PCell::Empty);
            EXPECT_EQ(side->conclusion, "");
        }
    }
    // N = 2 leaves no degree of freedom: a positive t without P is not equivalent.
    const auto tiny = ComputeEquivalence(MakeRateTable(1, 0, 0, 1));
    EXPECT_GT(*tiny[0].upper.t, 0);
    EXPECT_EQ(tiny[0].upper.pCell, EquivalenceSide::PCell::Empty);
    EXPECT_EQ(tiny[0].upper.conclusion, "等效不合格");
    EXPECT_EQ(tiny[0].lower.pCell, EquivalenceSide::PCell::Dash);
    EXPECT_EQ(tiny[0].lower.conclusion, "等效不合格");
}

TEST(SampleSize, EqualOrMissingRatesLeaveEverySizeEmpty) {
    for (const RateTable& t : {MakeRateTable(10, 10, 10, 10), MakeRateTable(0, 0, 4, 6)})
        for (const auto& size : ComputeSampleSizes(t)) {
            EXPECT_FALSE(size.twoSided);
            EXPECT_FALSE(size.oneSided);
        }
}

}  // namespace
}  // namespace tavelmark::rates
