// The extended means results against R (data/extended: compute_reference.R
// wrote reference.csv from datasets.csv with t.test, wilcox.test, pt and
// uniroot): the worked example, the edge sets and the generated ones, every
// figure to 1e-6 relative, NA in R exactly where a figure is empty here.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "analyses/means/extended_means.h"
#include "analyses/means/extended_means_texts.h"
#include "analyses/means/rank_sum.h"
#include "model/cell_ref.h"
#include "report/extended_sheet.h"
#include "support/reference_table.h"

namespace tavelmark::means {
namespace {

using test::MatchesReference, test::ReferenceRow;

const std::string kExtendedData = std::string(TAVELMARK_TEST_DATA) + "/extended";

std::vector<ReferenceRow> ReferenceSets() {
    return test::ReadReferenceTable(kExtendedData + "/reference.csv");
}

// The groups of every set, values in grid order.
const std::map<std::string, MeansInput>& DataSets() {
    static const std::map<std::string, MeansInput> sets = [] {
        std::map<std::string, MeansInput> out;
        for (const ReferenceRow& row : test::ReadReferenceTable(kExtendedData + "/datasets.csv")) {
            MeansInput& input = out[row.text("set")];
            (row.text("group") == "T" ? input.t : input.r).push_back(row.number("value"));
        }
        return out;
    }();
    return sets;
}

const MeansInput& InputOf(const std::string& set) { return DataSets().at(set); }

RankTestMethod MethodOf(const ReferenceRow& row) {
    const std::string& method = row.text("mw_method");
    if (method == "exact") return RankTestMethod::Exact;
    if (method.rfind("exact with ties", 0) == 0) return RankTestMethod::ExactWithTies;
    if (method == "all values tied") return RankTestMethod::AllValuesEqual;
    return RankTestMethod::NormalApproximation;
}

// A figure that is missing must say why.
::testing::AssertionResult ReasonWhenMissing(std::optional<double> figure,
                                             const std::string& reason, const char* what) {
    if (figure || !reason.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << what << " is missing without a reason";
}

struct ExtendedMeansReference : ::testing::TestWithParam<ReferenceRow> {};

TEST_P(ExtendedMeansReference, EveryFigureAgreesWithR) {
    const ReferenceRow& row = GetParam();
    const MeansInput& input = InputOf(row.text("set"));
    ASSERT_EQ(static_cast<int>(input.t.size()), static_cast<int>(row.number("n_t")));
    ASSERT_EQ(static_cast<int>(input.r.size()), static_cast<int>(row.number("n_r")));
    const ExtendedMeans m = ComputeExtendedMeans(input);

    EXPECT_TRUE(MatchesReference(m.meanT, row, "mean_t"));
    EXPECT_TRUE(MatchesReference(m.meanR, row, "mean_r"));
    EXPECT_TRUE(MatchesReference(m.difference, row, "difference"));
    EXPECT_TRUE(MatchesReference(m.pooled.df, row, "pooled_df"));
    EXPECT_TRUE(MatchesReference(m.pooled.lower, row, "pooled_lower"));
    EXPECT_TRUE(MatchesReference(m.pooled.upper, row, "pooled_upper"));
    EXPECT_TRUE(MatchesReference(m.welch.df, row, "welch_df"));
    EXPECT_TRUE(MatchesReference(m.welch.lower, row, "welch_lower"));
    EXPECT_TRUE(MatchesReference(m.welch.upper, row, "welch_upper"));

    const EffectSizes& e = m.effect;
    EXPECT_TRUE(MatchesReference(e.pooledSd, row, "sd_pooled"));
    EXPECT_TRUE(MatchesReference(e.cohenD.estimate, row, "cohen_d"));
    EXPECT_TRUE(MatchesReference(e.cohenD.lower, row, "d_lower"));
    EXPECT_TRUE(MatchesReference(e.cohenD.upper, row, "d_upper"));
    EXPECT_TRUE(MatchesReference(e.hedgesJ, row, "hedges_j"));
    EXPECT_TRUE(MatchesReference(e.hedgesG.estimate, row, "hedges_g"));
    EXPECT_TRUE(MatchesReference(e.hedgesGStandardError, row, "g_se"));
    EXPECT_TRUE(MatchesReference(e.hedgesG.lower, row, "g_lower"));
    EXPECT_TRUE(MatchesReference(e.hedgesG.upper, row, "g_upper"));

    const RankShift& rank = m.rank;
    EXPECT_EQ(rank.method, MethodOf(row)) << row.text("mw_method");
    EXPECT_TRUE(MatchesReference(rank.shift.estimate, row, "hl_shift"));
    EXPECT_TRUE(MatchesReference(rank.shift.lower, row, "hl_lower"));
    EXPECT_TRUE(MatchesReference(rank.shift.upper, row, "hl_upper"));
    EXPECT_TRUE(MatchesReference(rank.achievedLevel, row, "hl_level"));
    EXPECT_TRUE(MatchesReference(rank.statisticW, row, "mw_w"));
    // The exact P values are sums of exact probabilities: agreement to 1e-10.
    const bool exactP =
        rank.method == RankTestMethod::Exact || rank.method == RankTestMethod::ExactWithTies;
    EXPECT_TRUE(MatchesReference(rank.pTwoSided, row, "mw_p", exactP ? 1e-10 : 1e-6));

    EXPECT_TRUE(ReasonWhenMissing(m.pooled.lower, m.pooled.reason, "pooled limits"));
    EXPECT_TRUE(ReasonWhenMissing(m.welch.lower, m.welch.reason, "Welch limits"));
    EXPECT_TRUE(ReasonWhenMissing(e.cohenD.lower, e.cohenD.reason, "Cohen's d"));
    EXPECT_TRUE(ReasonWhenMissing(e.hedgesG.lower, e.hedgesG.reason, "Hedges' g"));
    EXPECT_TRUE(ReasonWhenMissing(rank.shift.lower, rank.shift.reason, "shift limits"));
    EXPECT_TRUE(ReasonWhenMissing(rank.pTwoSided, rank.pReason, "rank-sum P"));
}

INSTANTIATE_TEST_SUITE_P(Sets, ExtendedMeansReference, ::testing::ValuesIn(ReferenceSets()),
                         [](const ::testing::TestParamInfo<ReferenceRow>& info) {
                             return info.param.text("set");
                         });

TEST(ExtendedMeansReferenceFile, HoldsTheWorkedExampleTheEdgesAndTheGeneratedSets) {
    const auto rows = ReferenceSets();
    std::map<std::string, int> methods;
    int generated = 0;
    for (const ReferenceRow& row : rows) {
        EXPECT_TRUE(DataSets().contains(row.text("set"))) << row.text("set");
        ++methods[row.text("mw_method")];
        if (row.text("set").rfind("generated", 0) == 0) ++generated;
    }
    EXPECT_EQ(rows.front().text("set"), "worked_example");
    EXPECT_GE(generated, 50);
    // Both branches of the rank test, the refused interval and the all-tied set.
    EXPECT_GT(methods["exact"], 0);
    EXPECT_GT(methods["exact with ties"], 0);
    EXPECT_GT(methods["exact with ties; no interval"], 0);
    EXPECT_GT(methods["normal approximation with continuity and tie corrections"], 0);
    EXPECT_GT(methods["normal approximation with continuity and tie corrections; no interval"], 0);
    EXPECT_GT(methods["all values tied"], 0);
}

// The exact null distribution against a count over every way of splitting
// the ranks 1..m+n between the groups.
TEST(MannWhitneyDistribution, MatchesEnumerationOfAllRankSplits) {
    for (const auto& [m, n] : {std::pair{1, 1}, {3, 4}, {5, 2}, {6, 6}}) {
        std::vector<double> counts(m * n + 1, 0.0);
        double splits = 0;
        for (unsigned mask = 0; mask < (1u << (m + n)); ++mask) {
            if (__builtin_popcount(mask) != m) continue;
            // W counts the pairs with the T member ranked above the R member.
            int w = 0, rSeen = 0;
            for (int k = 0; k < m + n; ++k) {
                if (mask & (1u << k)) w += rSeen;
                else ++rSeen;
            }
            ++counts[w];
            ++splits;
        }
        const std::vector<double> p = MannWhitneyDistribution(m, n);
        ASSERT_EQ(p.size(), counts.size()) << m << "x" << n;
        for (std::size_t w = 0; w < p.size(); ++w)
            EXPECT_NEAR(p[w], counts[w] / splits, 1e-15) << m << "x" << n << " W=" << w;
    }
}

// The distribution given the ties against a count over every way of choosing
// the values of T from the pooled ones.
TEST(TiedRankSumDistribution, MatchesEnumerationOfAllSplits) {
    const struct {
        std::vector<double> pooled;
        int chosen;
    } cases[] = {
        {{5, 5, 5, 3, 3, 3}, 3},                 // two blocks of three
        {{1, 2, 2, 3, 2, 4, 5, 6}, 4},           // a block of three across the groups
        {{7, 7, 7, 7, 7, 1}, 2},                 // nearly all tied
        {{1, 2, 3, 4, 5, 6, 7}, 3},              // no ties: the ranks 1..N
        {{4, 4, 9, 9, 9, 9, 2, 2, 2, 8, 1}, 5},  // several blocks
    };
    for (const auto& c : cases) {
        const int n = static_cast<int>(c.pooled.size());
        std::vector<int> doubled;
        for (double rank : RankValues(c.pooled).ranks) doubled.push_back(static_cast<int>(2 * rank));
        std::vector<double> counts(static_cast<std::size_t>(n * (n + 1)) + 1, 0.0);
        double splits = 0;
        for (unsigned mask = 0; mask < (1u << n); ++mask) {
            if (__builtin_popcount(mask) != c.chosen) continue;
            int sum = 0;
            for (int k = 0; k < n; ++k)
                if (mask & (1u << k)) sum += doubled[k];
            ++counts[sum];
            ++splits;
        }
        const std::vector<double> p = TiedRankSumDistribution(doubled, c.chosen);
        ASSERT_EQ(p.size(), counts.size()) << n << " choose " << c.chosen;
        for (std::size_t s = 0; s < p.size(); ++s)
            EXPECT_NEAR(p[s], counts[s] / splits, 1e-15) << n << " choose " << c.chosen << " S=" << s;
    }
}

TEST(BoxPlot, QuartilesAndTukeyWhiskers) {
    const struct {
        const char* name;
        std::vector<double> values;
        double q1, median, q3, lowWhisker, highWhisker;
    } cases[] = {
        // Q1 2, Q3 4: 100 lies beyond 4 + 1.5 × 2 and is left to its dot.
        {"outlier above", {3, 100, 1, 4, 2}, 2, 3, 4, 1, 4},
        {"outlier below", {-50, 10, 11, 12, 13}, 10, 11, 12, 10, 13},
        {"within the fences", {1, 2, 3, 4}, 1.75, 2.5, 3.25, 1, 4},
        {"constant", {5, 5, 5}, 5, 5, 5, 5, 5},
    };
    for (const auto& c : cases) {
        const BoxPlotFigures box = BoxPlotOf(c.values);
        EXPECT_EQ(box.values, c.values) << c.name << ": grid order kept";
        EXPECT_EQ(box.lowerQuartile, c.q1) << c.name;
        EXPECT_EQ(box.median, c.median) << c.name;
        EXPECT_EQ(box.upperQuartile, c.q3) << c.name;
        EXPECT_EQ(box.lowerWhisker, c.lowWhisker) << c.name;
        EXPECT_EQ(box.upperWhisker, c.highWhisker) << c.name;
    }
}

}  // namespace
}  // namespace tavelmark::means
