// The analysis against values computed independently in R
// (data/means_reference.R, output in data/means_reference.txt): the shipped
// example and generated groups with ties, zeros, negative values, equal group
// sizes, unequal spreads and a skewed group.
#include <cmath>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "analyses/means/means_analysis.h"
#include "reference_data.h"
#include "support/tolerance.h"

namespace tavelmark::means {
namespace {

using test::MeansReference;

constexpr double kRelative = 1e-9;
// Skewness and similar values can sit near zero, where a relative bound means nothing.
constexpr double kAbsolute = 1e-12;

::testing::AssertionResult Matches(std::optional<double> actual, double expected) {
    if (std::isnan(expected)) {
        if (!actual) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "expected empty, got " << *actual;
    }
    if (!actual) return ::testing::AssertionFailure() << "empty, expected " << expected;
    return test::Near(*actual, expected, kRelative, kAbsolute);
}

class MeansReferenceTest : public ::testing::TestWithParam<MeansReference> {};

void ExpectDescription(const GroupDescription& d, const std::vector<double>& r) {
    const std::optional<double> mine[] = {d.mean,          d.sd,           d.maximum,
                                          d.minimum,       d.median,       d.lowerQuartile,
                                          d.upperQuartile, d.mode,         d.harmonicMean,
                                          d.geometricMean, d.skewness,     d.kurtosis,
                                          d.halfWidth95,   d.halfWidth99};
    ASSERT_EQ(std::size(mine), r.size());
    const char* names[] = {"mean", "sd", "max", "min", "median", "q1", "q3", "mode",
                           "harmonic", "geometric", "skew", "kurt", "hw95", "hw99"};
    for (std::size_t i = 0; i < r.size(); ++i) EXPECT_TRUE(Matches(mine[i], r[i])) << names[i];
}

void ExpectCounts(const GroupNormality& g, const std::vector<double>& r) {
    ASSERT_TRUE(g.counts);
    EXPECT_EQ(g.counts->above, r[0]);
    EXPECT_EQ(g.counts->below, r[1]);
    EXPECT_EQ(g.counts->inner, r[2]);
    EXPECT_EQ(g.counts->outer, r[3]);
}

void ExpectCritical(const TCriticalValues& c, const std::vector<double>& r, std::size_t from) {
    EXPECT_TRUE(Matches(c.twoSided05, r[from]));
    EXPECT_TRUE(Matches(c.oneSided05, r[from + 1]));
    EXPECT_TRUE(Matches(c.twoSided01, r[from + 2]));
    EXPECT_TRUE(Matches(c.oneSided01, r[from + 3]));
}

void ExpectWelchType(const WelchTypeTest& w, const std::vector<double>& r) {
    EXPECT_TRUE(Matches(w.t, r[0])) << "t'";
    EXPECT_TRUE(Matches(w.df, r[1])) << "df, reported unrounded";
    EXPECT_TRUE(Matches(w.pTwoSided, r[2])) << "two-sided P with truncated df";
    EXPECT_TRUE(Matches(w.pOneSided, r[3]));
    ExpectCritical(w.critical, r, 4);
}

TEST_P(MeansReferenceTest, MatchesR) {
    const MeansReference& ref = GetParam();
    const MeansResults m = AnalyseMeans(ref["T"], ref["R"]);

    {
        SCOPED_TRACE("T description");
        ExpectDescription(m.t, ref["t_describe"]);
    }
    {
        SCOPED_TRACE("R description");
        ExpectDescription(m.r, ref["r_describe"]);
    }
    ExpectCounts(m.normalityT, ref["t_counts"]);
    ExpectCounts(m.normalityR, ref["r_counts"]);

    const auto& pooled = ref["pooled"];
    EXPECT_TRUE(Matches(m.studentT.t, pooled[0])) << "t";
    EXPECT_EQ(m.studentT.df, pooled[1]);
    EXPECT_TRUE(Matches(m.studentT.pTwoSided, pooled[2]));
    EXPECT_TRUE(Matches(m.studentT.pOneSided, pooled[3]));
    ExpectCritical(m.studentT.critical, pooled, 4);

    {
        SCOPED_TRACE("Satterthwaite");
        ExpectWelchType(m.tPrime.satterthwaite, ref["welch"]);
    }
    {
        SCOPED_TRACE("corrected degrees of freedom");
        ExpectWelchType(m.tPrime.correctedDf, ref["corrected_df"]);
    }
    EXPECT_TRUE(Matches(m.tPrime.cochranCox.critical05, ref["cochran_cox"][0]));
    EXPECT_TRUE(Matches(m.tPrime.cochranCox.critical01, ref["cochran_cox"][1]));

    const auto& variance = ref["variance"];
    EXPECT_TRUE(Matches(m.variance.f, variance[0])) << "F";
    EXPECT_TRUE(Matches(m.variance.f05, variance[1])) << "F0.05";
    EXPECT_EQ(m.variance.numeratorDf, variance[2]);
    EXPECT_EQ(m.variance.denominatorDf, variance[3]);

    EXPECT_TRUE(Matches(m.rankSum.z, ref["rank_sum"][0])) << "z";
    EXPECT_TRUE(Matches(m.rankSum.pTwoSided, ref["rank_sum"][1])) << "P_u";

    const auto& spread = ref["spread"];
    EXPECT_TRUE(Matches(m.spread.difference, spread[0]));
    EXPECT_TRUE(Matches(m.spread.sd, spread[1]));
    EXPECT_TRUE(Matches(m.spread.se, spread[2]));
    // Sample sizes: the report's slopes are 2(z_0.975 + z_power)^2 to three
    // significant digits (15.6 for 15.6978, the worst, 0.62% low) plus a small
    // allowance of at most 2 subjects and the rounding up to whole subjects.
    const double r = ref["sample_size_r"][0];
    for (std::size_t i = 0; i < 4; ++i) {
        ASSERT_TRUE(m.sampleSizes[i].perGroup) << i;
        const double exact = ref["sample_size_slopes"][i] * r;
        EXPECT_NEAR(*m.sampleSizes[i].perGroup, exact, 0.0063 * exact + 3) << i;
    }
    // Equivalence limits: the report's closed-form t point lies within 0.006
    // of qt(0.95, df) for df >= 4 (each group has at least three values), and
    // the limit is shown to three decimals.
    for (std::size_t i = 0; i < 5; ++i) {
        ASSERT_TRUE(m.equivalence[i].limit) << i;
        EXPECT_NEAR(*m.equivalence[i].limit, ref["equivalence_limits"][i], 0.0005 + 0.006 * spread[2] + 1e-9)
            << i;
    }

    const char* powerLine = m.recommended.method == MeansMethod::TTest     ? "power_pooled"
                            : m.recommended.method == MeansMethod::TPrime ? "power_welch"
                                                                          : "power_rank";
    EXPECT_TRUE(Matches(m.recommended.power.alpha, ref[powerLine][0])) << "alpha";
    EXPECT_TRUE(Matches(m.recommended.power.power, ref[powerLine][1])) << "power";
}

INSTANTIATE_TEST_SUITE_P(RData, MeansReferenceTest,
                         ::testing::ValuesIn(test::LoadMeansReference()),
                         [](const auto& info) { return info.param.name; });

// Which test each reference set is recommended: counts and F against the
// rules (R's counts and F above).
TEST(MeansReferenceRecommendation, FollowsNormalityThenVariance) {
    const std::map<std::string, MeansMethod> expected = {
        {"example", MeansMethod::TPrime},        // F 5.13 >= 3.03
        {"ties_zeros", MeansMethod::TTest},      // F 2.45 < 3.10
        {"negatives", MeansMethod::TTest},       // F 1.55 < 3.50
        {"unequal_spread", MeansMethod::TPrime}, // F 47.1
        {"skewed", MeansMethod::RankSum},        // 1 above, 9 below: |8| >= 2·√10
        {"generated", MeansMethod::TPrime},      // F 5.09 >= 1.74
    };
    for (const auto& ref : test::LoadMeansReference()) {
        const MeansResults m = AnalyseMeans(ref["T"], ref["R"]);
        EXPECT_EQ(m.recommended.method, expected.at(ref.name)) << ref.name;
    }
}

}  // namespace
}  // namespace tavelmark::means
