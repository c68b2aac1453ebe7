// The pieces of the comparison on small hand-made groups: normality counts,
// the F test, the rank-sum statistic, verdict texts, sample sizes,
// equivalence and power.
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analyses/means/means_analysis.h"
#include "analyses/means/recommendation_texts.h"
#include "analyses/means/significance.h"
#include "support/tolerance.h"

namespace tavelmark::means {
namespace {

using Values = std::vector<double>;

TEST(DescribeGroup, QuartilesModeAndWhatCannotBeComputed) {
    struct Case {
        Values values;
        std::optional<double> lowerQuartile, upperQuartile, mode, harmonicMean, kurtosis;
    };
    const Case cases[] = {
        // Quartiles at positions 1.5 and 2.5; no value repeats; three values have no kurtosis.
        {{1, 2, 3}, 1.5, 2.5, std::nullopt, 3 / (1 + 0.5 + 1.0 / 3), std::nullopt},
        // Equally frequent 1 and 2: the one met first in row order.
        {{1, 2, 2, 1}, 1, 2, 1, 4 / 3.0, -6.0},  // kurtosis -6 exactly (R 4.2: -5.9999999999999982)
        // A zero or a negative value: no harmonic (nor geometric) mean.
        // Kurtosis: the KURT formula evaluated in R 4.2, as kurt() of data/means_reference.R.
        {{0, 2, 4, 4}, 1.5, 4, 4, std::nullopt, -1.2892561983471094},
    };
    for (const auto& c : cases) {
        const GroupDescription d = DescribeGroup(c.values);
        EXPECT_EQ(d.lowerQuartile, c.lowerQuartile);
        EXPECT_EQ(d.upperQuartile, c.upperQuartile);
        EXPECT_EQ(d.mode, c.mode);
        ASSERT_EQ(d.harmonicMean.has_value(), c.harmonicMean.has_value());
        if (c.harmonicMean) {
            EXPECT_TRUE(test::Near(*d.harmonicMean, *c.harmonicMean, 1e-14));
        }
        ASSERT_EQ(d.kurtosis.has_value(), c.kurtosis.has_value());
        if (c.kurtosis) {
            EXPECT_TRUE(test::Near(*d.kurtosis, *c.kurtosis, 1e-12));
        }
        EXPECT_EQ(d.geometricMean.has_value(), c.harmonicMean.has_value());
    }
}

TEST(Normality, ImbalanceAtTwiceRootNIsAlreadyADeparture) {
    struct Case {
        const char* what;
        Values values;
        double mean, sd;
        NormalityStatus symmetry, peakedness;
    };
    const Case cases[] = {
        // n = 4: 2·√4 = 4. Four above and none below is flagged, three and one is not.
        {"4 above, 0 below", {1, 2, 3, 4}, 0, 10, NormalityStatus::Asymmetric,
         NormalityStatus::PeakednessDeparture},
        {"3 above, 1 below", {-1, 2, 3, 4}, 0, 10, NormalityStatus::Normal,
         NormalityStatus::PeakednessDeparture},
        // Nine of ten above their own mean: |9 − 1| = 8 ≥ 6.32.
        {"9 above the group's own mean", {1, 1, 1, 1, 1, 1, 1, 1, 1, -100}, -9.1,
         32.5, NormalityStatus::Asymmetric, NormalityStatus::PeakednessDeparture},
        {"shipped T group", {38, 32, 34, 42, 35, 37, 45, 39, 38, 33}, 37.3,
         4.0565447804203467, NormalityStatus::Normal, NormalityStatus::Normal},
    };
    for (const auto& c : cases) {
        const GroupNormality g = CheckNormality(c.values, c.mean, c.sd);
        EXPECT_EQ(g.symmetry, c.symmetry) << c.what;
        EXPECT_EQ(g.peakedness, c.peakedness) << c.what;
    }
}

TEST(Normality, ValuesOnTheBoundariesAreCountedNeitherWay) {
    // Mean 0, SD 1: 0 is neither above nor below, ±0.65 neither inner nor outer.
    const NormalityCounts c = CountAroundMean(Values{0, 0.65, -0.65, 2}, 0, 1);
    EXPECT_EQ(c.above, 2);
    EXPECT_EQ(c.below, 1);
    EXPECT_EQ(c.inner, 1);
    EXPECT_EQ(c.outer, 1);
}

TEST(Normality, MissingMeanLeavesStatusesEmptyAndRecommendsRanks) {
    const GroupNormality unknown = CheckNormality(Values{1, 2, 3}, std::nullopt, std::nullopt);
    EXPECT_FALSE(unknown.symmetry);
    EXPECT_FALSE(unknown.normal());
    const GroupNormality fine = CheckNormality(Values{1, 2, 3}, 2.0, 1.0);
    VarianceTest equal;
    equal.homogeneous = true;
    EXPECT_EQ(RecommendMethod(unknown, fine, equal), MeansMethod::RankSum);
}

TEST(VarianceTest, LargerVarianceOnTopAgainstItsFivePercentPoint) {
    struct Case {
        const char* what;
        int n1;
        double sd1;
        int n2;
        double sd2;
        std::optional<double> f;
        int numeratorDf, denominatorDf;
        bool homogeneous;
    };
    const Case cases[] = {
        {"equal SDs", 10, 3, 15, 3, 1.0, 14, 9, true},
        {"T wider: 9 and 14 df", 10, 6, 15, 2, 9.0, 9, 14, false},
        {"R wider", 10, 2, 15, 3, 2.25, 14, 9, true},
        // A constant group beside a varying one: the ratio is infinite.
        {"one SD zero", 10, 0, 15, 3, std::nullopt, 14, 9, false},
        {"both SDs zero", 10, 0, 15, 0, std::nullopt, 14, 9, true},
    };
    for (const auto& c : cases) {
        const VarianceTest v = TestVariances(c.n1, c.sd1, c.n2, c.sd2);
        EXPECT_EQ(v.f, c.f) << c.what;
        EXPECT_EQ(v.numeratorDf, c.numeratorDf) << c.what;
        EXPECT_EQ(v.denominatorDf, c.denominatorDf) << c.what;
        EXPECT_EQ(v.homogeneous, c.homogeneous) << c.what;
        EXPECT_TRUE(v.f05) << c.what;
    }
    EXPECT_FALSE(TestVariances(10, std::nullopt, 15, 2.0).homogeneous);
}

TEST(RankSum, TiesShareTheirMeanPositionAndShrinkTheVariance) {
    // 1, 2, 2, 3 against 2, 4: the three 2s share rank 3.
    const RankSumTest w = WilcoxonRankSum(Values{1, 2, 2, 3}, Values{2, 4});
    EXPECT_DOUBLE_EQ(w.rankSumT, 1 + 3 + 3 + 5);
    EXPECT_DOUBLE_EQ(w.rankSumR, 3 + 6);
    EXPECT_DOUBLE_EQ(w.statistic, 9);  // the smaller group is R
    EXPECT_EQ(w.smallerN, 2);
    EXPECT_DOUBLE_EQ(w.tieCorrection, 1 - (27.0 - 3) / (216 - 6));
    ASSERT_TRUE(w.z);
    // (|9 − 2·7/2| − 0.5) / √(4·2·7/12) / √C
    EXPECT_TRUE(test::Near(*w.z, 1.5 / std::sqrt(56.0 / 12) / std::sqrt(w.tieCorrection), 1e-14));
}

TEST(RankSum, StatisticFollowsTheSmallerGroup) {
    struct Case {
        Values t, r;
        double statistic;
    };
    const Case cases[] = {
        {{4, 5, 6}, {1, 2, 3}, 6},            // equal sizes: the smaller rank sum
        {{1, 2, 3}, {4, 5, 6}, 6},
        {{1, 2, 3}, {4, 5, 6, 7}, 6},         // n1 < n2: T's rank sum
        {{5, 6, 7, 8}, {1, 2, 3}, 6},         // n1 > n2: R's rank sum
        {{-3, 0, -1.5}, {0, 2, -3, 7}, 1.5 + 3 + 4.5},  // negatives and zeros rank like the rest
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(WilcoxonRankSum(c.t, c.r).statistic, c.statistic);
}

TEST(RankSum, DeviationBelowOneHalfGivesZeroNotANegativeStatistic) {
    // Rank sum of T is 1 + 4 + 7 = 12 = 3·(7 + 1)/2: no deviation at all.
    const RankSumTest w = WilcoxonRankSum(Values{1, 4, 7}, Values{2, 3, 5, 6});
    ASSERT_TRUE(w.z);
    EXPECT_EQ(*w.z, 0.0);
    ASSERT_TRUE(w.pTwoSided);
    EXPECT_TRUE(test::Near(*w.pTwoSided, 1.0, 1e-12));
}

TEST(RankSum, AllValuesEqualCannotBeTested) {
    const RankSumTest w = WilcoxonRankSum(Values{5, 5, 5}, Values{5, 5, 5, 5});
    EXPECT_EQ(w.tieCorrection, 0.0);
    EXPECT_FALSE(w.z);
    EXPECT_FALSE(w.pTwoSided);
}

TEST(RankValues, LargeTiedSetsKeepExactMidRanks) {
    Values v(70001, 2.0);
    v.push_back(1.0);
    v.push_back(3.0);
    const Ranking r = RankValues(v);
    EXPECT_EQ(r.ranks[70001], 1.0);
    EXPECT_EQ(r.ranks[70002], 70003.0);
    EXPECT_EQ(r.ranks[0], (2.0 + 70002.0) / 2);
    EXPECT_EQ(r.tieSum, 70001.0 * 70001.0 * 70001.0 - 70001.0);
}

TEST(Verdicts, ConclusionBoundaries) {
    struct Case {
        std::optional<double> p;
        const char* text;
    };
    const Case cases[] = {{0.05, "差异有统计意义"},
                          {0.0100, "差异有高度统计意义"},
                          {0.0501, "差异无统计意义"},
                          {0.0, "差异有高度统计意义"},
                          {std::nullopt, kNotComputable}};
    for (const auto& c : cases) EXPECT_STREQ(ConclusionText(c.p), c.text);
}

TEST(Verdicts, ProfessionalConclusion) {
    struct Case {
        std::optional<double> p, meanT, meanR;
        std::string text;
    };
    const Case cases[] = {
        {0.03, 5.0, 4.0, "T组>R组"},  {0.05, 4.0, 5.0, "T组<R组"},
        {0.2, 5.0, 4.0, "尚不足于下结论"}, {0.01, 4.0, 4.0, ""},
        {std::nullopt, 5.0, 4.0, kNotComputable},
    };
    for (const auto& c : cases) EXPECT_EQ(ProfessionalConclusion(c.p, c.meanT, c.meanR), c.text);
}

TEST(Verdicts, StatisticTextRoundsToFourDecimals) {
    struct Case {
        std::optional<double> value;
        std::string text;
    };
    const Case cases[] = {{0.5, "t = 0.5"},
                          {2.25, "t = 2.25"},
                          {1.23456, "t = 1.2346"},
                          {std::nullopt, std::string("t = ") + kNotComputable}};
    for (const auto& c : cases) EXPECT_EQ(StatisticText("t = ", c.value), c.text);
}

TEST(CochranCox, RangeTextsAndConclusions) {
    EXPECT_STREQ(CochranCoxRangeText(CochranCoxRange::Above05), "P>0.05");
    EXPECT_STREQ(CochranCoxRangeText(CochranCoxRange::Between), "0.01< P ≤0.05");
    EXPECT_STREQ(CochranCoxRangeText(CochranCoxRange::AtMost01), "P≤0.01");
    EXPECT_STREQ(CochranCoxConclusion(CochranCoxRange::Above05), "差异无统计意义");
    EXPECT_STREQ(CochranCoxRangeText(std::nullopt), kNotComputable);
}

TEST(UnequalVariances, NoSpreadAtAllLeavesTheStatisticsEmpty) {
    GroupDescription t, r;
    t.n = 3;
    r.n = 4;
    t.mean = 2;
    r.mean = 3;
    t.sd = 0;
    r.sd = 0;
    const TPrimeTests tp = UnequalVarianceTests(t, r);
    EXPECT_FALSE(tp.tPrime);
    EXPECT_FALSE(tp.satterthwaite.df);
    EXPECT_FALSE(tp.satterthwaite.pTwoSided);
    EXPECT_FALSE(tp.cochranCox.range);
}

TEST(PooledTTest, PValueThatUnderflowsStillGivesT) {
    // 60 + 60 values 1000 apart with SD about 1: P is below the smallest double.
    Values t, r;
    for (int i = 0; i < 60; ++i) {
        t.push_back(1000 + (i % 3) - 1);
        r.push_back((i % 3) - 1);
    }
    const MeansResults m = AnalyseMeans(t, r);
    ASSERT_TRUE(m.studentT.pTwoSided);
    EXPECT_EQ(*m.studentT.pTwoSided, 0.0);
    ASSERT_TRUE(m.studentT.t);
    // |t| = 1000 / (s·√(2/60)) with s = √(40/59), the SD of 20 × (−1, 0, 1).
    EXPECT_TRUE(test::Near(*m.studentT.t, 1000 / std::sqrt(40.0 / 59 * 2 / 60), 1e-9));
}

TEST(SampleSizes, ClosedFormsPerPower) {
    struct Case {
        double sc, d;
        std::optional<double> sizes[4];
    };
    const Case cases[] = {
        // r = 4. The two-group normal formula n = 2(z_0.975 + z_power)^2 r
        // (R: 2 * (qnorm(0.975) + qnorm(p))^2 * 4) gives 49.4, 62.8, 84.1 and
        // 104.0; the report adds its small-sample allowance (2, 1.6, 1.5, 1.4)
        // and rounds up to whole subjects.
        {2, 1, {52, 65, 86, 106}},
        {0, 1, {3, 2, 2, 2}},       // r = 0: Int(2)+1, Int(1.6)+1, ...
        {2, 0, {std::nullopt, std::nullopt, std::nullopt, std::nullopt}},  // equal means
    };
    for (const auto& c : cases) {
        PooledSpread spread;
        spread.sd = c.sc;
        spread.difference = c.d;
        const auto lines = EstimateSampleSizes(spread);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(lines[i].perGroup, c.sizes[i]) << c.sc << " " << i;
    }
}

TEST(Equivalence, MultiplierAndVerdicts) {
    // The closed form stands for the one-sided 5% point of t; R's qt(0.95, df)
    // gives the points. It is within 0.006 from the smallest df the report
    // meets (3 + 3 - 2 = 4) and within 0.0006 from df = 8 on.
    const struct {
        int df;
        double qt95;
        double within;
    } points[] = {{4, 2.131846786, 0.006},  {5, 2.015048373, 0.003},  {8, 1.859548038, 0.0006},
                  {10, 1.812461123, 0.0006}, {23, 1.713871528, 0.0006}, {50, 1.675905025, 0.0006},
                  {100, 1.660234326, 0.0006}, {598, 1.647406, 0.0006}};
    for (const auto& p : points) EXPECT_NEAR(EquivalenceMultiplier(p.df), p.qt95, p.within) << p.df;

    // Means 40 and 50, SE 1, very many degrees of freedom.
    GroupDescription t, r;
    t.mean = 40;
    r.mean = 50;
    PooledSpread spread;
    spread.difference = 10;
    spread.se = 1;
    spread.df = 1000000;
    const auto lines = TestEquivalence(t, r, spread);
    ASSERT_TRUE(lines[1].limit);
    EXPECT_EQ(*lines[1].limit, 3.355);  // 5 − 1.645 (multiplier 1.6450015...)
    EXPECT_EQ(lines[1].equivalent, false);
    EXPECT_EQ(*lines[0].limit, 0.855);  // 2.5 − 1.645
    EXPECT_EQ(lines[0].equivalent, false);
    EXPECT_EQ(*lines[4].limit, 13.355);
    EXPECT_EQ(lines[4].equivalent, true);

    // Equal means but a wide spread: the limit comes out negative and even d = 0 fails.
    GroupDescription same;
    same.mean = 50;
    PooledSpread wide;
    wide.difference = 0;
    wide.se = 10;
    wide.df = 20;
    for (const auto& line : TestEquivalence(same, same, wide)) {
        ASSERT_TRUE(line.limit);
        EXPECT_LT(*line.limit, 0) << line.margin;
        EXPECT_EQ(line.equivalent, false) << line.margin;
    }
    // Means below zero (changes from baseline): the margin is taken from the
    // larger magnitude, so -10 and -10.2 with SE 0.1 are within ±5% (Δ = 0.51).
    GroupDescription belowT, belowR;
    belowT.mean = -10;
    belowR.mean = -10.2;
    PooledSpread close;
    close.difference = 0.2;
    close.se = 0.1;
    close.df = 1000000;
    const auto below = TestEquivalence(belowT, belowR, close);
    EXPECT_EQ(*below[0].limit, 0.345);  // 0.51 − 0.16450015
    EXPECT_EQ(below[0].equivalent, true);
    // One mean on each side of zero: the larger magnitude, here the negative one.
    GroupDescription plus, minus;
    plus.mean = 1;
    minus.mean = -4;
    EXPECT_EQ(*TestEquivalence(plus, minus, close)[4].limit, 1.035);  // 0.3·4 − 0.16450015

    EXPECT_STREQ(EquivalenceText(true), "等效合格");
    EXPECT_STREQ(EquivalenceText(false), "等效不合格");
}

TEST(Power, TwoSidedFivePercentPowerBesideHalfTheP) {
    // Power = F(d/SE − z) + F(−d/SE − z), z = TINV(0.05, 9999), F Student's t
    // with 9999 df: R's pt(d - z, 9999) + pt(-d - z, 9999), z = qt(0.975, 9999).
    struct Case {
        double difference, p, power;
    };
    const Case cases[] = {
        {0, 1, 0.05},                                // no difference: the test's own level
        {1.9602012636213568, 0.05, 0.50004449558962982},  // d/SE = z: about one half
        {2, 0.04, 0.51591051384709108},
        {3, 0.0027, 0.8507710788435251},
        {0.5, 0.6171, 0.079084443732755819},
    };
    for (const Case& c : cases) {
        PooledSpread spread;
        spread.difference = c.difference;
        spread.se = 1;
        const ObservedPower p = PowerOf(c.p, spread);
        EXPECT_EQ(p.alpha, c.p / 2) << c.difference;
        ASSERT_TRUE(p.power) << c.difference;
        EXPECT_TRUE(test::Near(*p.power, c.power, 1e-9)) << c.difference;
    }
    PooledSpread spread;
    spread.difference = 2;
    spread.se = 1;
    const ObservedPower none = PowerOf(std::nullopt, spread);
    EXPECT_FALSE(none.alpha);
    EXPECT_FALSE(none.power);
}

}  // namespace
}  // namespace tavelmark::means
