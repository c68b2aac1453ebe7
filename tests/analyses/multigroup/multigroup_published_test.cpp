// The PlantGrowth figures as published for this analysis (R's datasets,
// reference group ctrl), to the decimals they are printed with, and the
// reductions of every method to the two-sample test when there are two
// groups (ctrl against trt1; the two-sample figures from R in reference.csv).
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "multigroup_fixtures.h"
#include "support/reference_table.h"
#include "support/tolerance.h"

namespace tavelmark::multigroup {
namespace {

using tavelmark::test::Near;
using tavelmark::test::SameTo;

// Every method, those of the paths not taken included.
MultigroupOptions EveryMethod() {
    MultigroupOptions options;
    options.extended = true;
    return options;
}

const Comparison& PairAt(const std::vector<Comparison>& list, int first, int second) {
    for (const Comparison& c : list)
        if (c.first == first && c.second == second) return c;
    throw std::out_of_range("pair");
}

TEST(MultigroupPublished, PlantGrowth) {
    const MultigroupInput input = test::InputOf("plantgrowth");
    const MultigroupResults r = ComputeMultigroup(input, EveryMethod());
    constexpr int ctrl = 0, trt1 = 1, trt2 = 2;
    struct Printed {
        const char* what;
        double actual, printed;
        int decimals;
    };
    const Comparison& tukey = PairAt(r.tukey, trt1, trt2);
    const Printed figures[] = {
        {"ctrl mean", r.summaries[ctrl].mean, 5.032, 3},
        {"ctrl sd", r.summaries[ctrl].sd, 0.583091, 6},
        {"trt1 mean", r.summaries[trt1].mean, 4.661, 3},
        {"trt1 sd", r.summaries[trt1].sd, 0.793676, 6},
        {"trt2 mean", r.summaries[trt2].mean, 5.526, 3},
        {"trt2 sd", r.summaries[trt2].sd, 0.442573, 6},
        {"ctrl W", r.normality[ctrl].test->w, 0.956681, 6},
        {"ctrl SW P", r.normality[ctrl].test->p, 0.747473, 6},
        {"residual W", r.residuals.test->w, 0.966068, 6},
        {"residual SW P", r.residuals.test->p, 0.437899, 6},
        {"Levene median F", *r.leveneMedian.f, 1.11919, 5},
        {"Levene median P", *r.leveneMedian.p, 0.341227, 6},
        {"Levene mean F", *r.leveneMean.f, 1.23696, 5},
        {"Levene mean P", *r.leveneMean.p, 0.306195, 6},
        {"Bartlett", *r.bartlett.statistic, 2.87857, 5},
        {"Bartlett P", *r.bartlett.p, 0.237097, 6},
        {"ANOVA F", *r.anova.f, 4.846088, 6},
        {"ANOVA P", *r.anova.p, 0.0159100, 7},
        {"eta2", r.eta.estimate, 0.264148, 6},
        {"eta2 lower", *r.eta.lower95, 0.00990397, 8},
        {"eta2 upper", *r.eta.upper95, 0.463896, 6},
        {"omega2", r.omega, 0.204079, 6},
        {"Welch F", *r.welch.f, 5.18097, 5},
        {"Welch df2", r.welch.df2, 17.1284, 4},
        {"Welch P", *r.welch.p, 0.0173928, 7},
        {"BF F*", *r.brownForsythe.f, 4.84609, 5},
        {"BF df2", r.brownForsythe.df2, 22.2084, 4},
        {"BF P", *r.brownForsythe.p, 0.0179274, 7},
        {"Dunnett trt1 P", *PairAt(r.dunnett.rows, ctrl, trt1).p, 0.3226957, 7},
        {"Dunnett trt1 upper", *PairAt(r.dunnett.rows, ctrl, trt1).upper, 0.2795122, 7},
        {"Dunnett trt2 P", *PairAt(r.dunnett.rows, ctrl, trt2).p, 0.1534859, 7},
        {"Dunnett critical", *r.dunnett.critical, 2.3334115, 7},
        {"Tukey difference", tukey.difference, 0.865, 3},
        {"Tukey lower", *tukey.lower, 0.1737839, 7},
        {"Tukey q", *tukey.statistic, 4.388004, 6},
        {"Tukey P", *tukey.p, 0.01200642, 8},
        {"LSD P", *PairAt(r.lsd, trt1, trt2).p, 0.004459236, 9},
        {"Games-Howell P", *PairAt(r.gamesHowell, trt1, trt2).p, 0.0237035, 7},
        {"Tamhane T2 P", *PairAt(r.tamhane, trt1, trt2).p, 0.0276366, 7},
        {"KW Hc", r.kruskalWallis.hCorrected, 7.98823, 5},
        {"KW tie factor", r.kruskalWallis.tieFactor, 0.999778, 6},
        {"KW P", r.kruskalWallis.p, 0.0184238, 7},
        {"Dunn-Holm P", *PairAt(r.dunnPairs, trt1, trt2).p, 0.0150009, 7},
    };
    for (const Printed& f : figures) {
        EXPECT_TRUE(SameTo(f.actual, f.printed, f.decimals)) << f.what;
        EXPECT_TRUE(Near(f.actual, f.printed, 1e-6, 0.5 * std::pow(10.0, -f.decimals))) << f.what;
    }
    // Two limits printed from a coarser critical value hold to 1e-6 relative
    // but not to their seventh decimal: −1.0215120 is −1.02151222 exactly,
    // 1.5562160 is 1.55621605.
    EXPECT_TRUE(Near(*PairAt(r.dunnett.rows, ctrl, trt1).lower, -1.0215120, 1e-6));
    EXPECT_TRUE(Near(*tukey.upper, 1.5562160, 1e-6));
    EXPECT_EQ(r.path, MultigroupPath::Anova);
}

TEST(MultigroupPublished, SnkStepsOfPlantGrowth) {
    const MultigroupResults r = ComputeMultigroup(test::InputOf("plantgrowth"), {});
    ASSERT_EQ(r.snk.size(), 3u);
    for (const SnkStep& step : r.snk) {
        const bool outer = step.first == 1 && step.second == 2;  // trt1 and trt2, the widest range
        EXPECT_EQ(step.span, outer ? 3 : 2);
        EXPECT_EQ(step.significant, outer) << step.first << "-" << step.second;
        if (outer) {
            EXPECT_TRUE(SameTo(*step.q, 4.38800, 5));
            EXPECT_TRUE(SameTo(*step.critical, 3.50643, 5));
        }
    }
}

// With two groups every method is the two-sample test: F = t², Tukey P =
// Dunnett P = t-test P, Welch F = t'², Games–Howell P = Welch P, and the
// Kruskal–Wallis P is the rank-sum normal approximation without continuity
// correction.
TEST(MultigroupPublished, TwoGroupsReduceToTheTwoSampleTests) {
    const MultigroupResults r = ComputeMultigroup(test::InputOf("two_groups"), EveryMethod());
    double tSquared = 0, tP = 0, welchSquared = 0, welchDf = 0, welchP = 0, rankSumP = 0;
    for (const auto& row : tavelmark::test::ReadReferenceTable(TAVELMARK_TEST_DATA "/reference.csv")) {
        if (row.text("set") != "two_groups") continue;
        const std::string& f = row.text("figure");
        double& target = f == "t_squared" ? tSquared : f == "t_p" ? tP : f == "welch_t_squared" ? welchSquared
                         : f == "welch_df" ? welchDf : f == "welch_p" ? welchP : rankSumP;
        target = row.number("value");
    }
    // The published figures of the same reduction.
    EXPECT_TRUE(SameTo(tSquared, 1.419101297, 9));
    EXPECT_TRUE(SameTo(tP, 0.2490231660, 10));
    EXPECT_TRUE(SameTo(welchDf, 16.52358506, 8));
    EXPECT_TRUE(SameTo(welchP, 0.2503825086, 10));
    EXPECT_TRUE(SameTo(rankSumP, 0.1857112804, 10));

    const double tight = 1e-9;
    EXPECT_TRUE(Near(*r.anova.f, tSquared, tight));
    EXPECT_TRUE(Near(*r.anova.p, tP, tight));
    EXPECT_TRUE(Near(*r.tukey.front().p, tP, tight));
    EXPECT_TRUE(Near(*r.dunnett.rows.front().p, tP, tight));
    EXPECT_TRUE(Near(*r.lsd.front().p, tP, tight));
    EXPECT_TRUE(Near(*r.bonferroni.front().p, tP, tight));
    EXPECT_TRUE(Near(*r.welch.f, welchSquared, tight));
    EXPECT_TRUE(Near(r.welch.df2, welchDf, tight));
    EXPECT_TRUE(Near(*r.welch.p, welchP, tight));
    EXPECT_TRUE(Near(*r.brownForsythe.p, welchP, tight));
    EXPECT_TRUE(Near(*r.gamesHowell.front().p, welchP, tight));
    EXPECT_TRUE(Near(*r.tamhane.front().p, welchP, tight));
    EXPECT_TRUE(Near(*r.welchSidak.rows.front().p, welchP, tight));
    EXPECT_TRUE(Near(r.kruskalWallis.p, rankSumP, tight));
    EXPECT_TRUE(Near(*r.dunnPairs.front().p, rankSumP, tight));
}

}  // namespace
}  // namespace tavelmark::multigroup
