// The rules around the figures: which path is taken and said, the SNK
// protection, what a constant group leaves uncomputed and why, Holm's
// adjustment, and the P texts.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analyses/multigroup/multigroup_texts.h"
#include "analyses/multigroup/p_text.h"
#include "multigroup_fixtures.h"

namespace tavelmark::multigroup {
namespace {

MultigroupInput FromValues(std::vector<std::vector<double>> values) {
    MultigroupInput input;
    for (std::size_t i = 0; i < values.size(); ++i) input.names.push_back("组" + std::to_string(i + 1));
    input.values = std::move(values);
    return input;
}

TEST(MultigroupDecision, EachSetTakesItsPathAndSaysWhy) {
    struct Case {
        const char* set;
        bool alwaysUnequal;
        MultigroupPath path;
        std::vector<std::string> said;
    };
    const Case cases[] = {
        {"plantgrowth", false, MultigroupPath::Anova,
         {"残差符合正态分布(Shapiro-Wilk检验 P=0.4379)", "且方差齐(Levene检验(中位数法) P=0.3412)", "单因素方差分析",
          "两两比较用Tukey法,与ctrl比较用Dunnett法"}},
        {"plantgrowth", true, MultigroupPath::Welch,
         {"按“始终按方差不齐处理”的设置", "Welch方差分析", "Games-Howell法", "Welch t检验(Šidák校正)"}},
        {"unequal_variances", false, MultigroupPath::Welch, {"但方差不齐(Levene检验(中位数法) P="}},
        {"skewed", false, MultigroupPath::KruskalWallis,
         {"残差不符合正态分布(Shapiro-Wilk检验 P<0.0001)", "Kruskal-Wallis秩和检验", "Dunn法(Holm校正)"}},
    };
    for (const Case& c : cases) {
        MultigroupOptions options;
        options.alwaysUnequalVariances = c.alwaysUnequal;
        const MultigroupResults r = ComputeMultigroup(test::InputOf(c.set), options);
        EXPECT_EQ(r.path, c.path) << c.set;
        for (const std::string& phrase : c.said)
            EXPECT_NE(r.recommendation.find(phrase), std::string::npos) << c.set << ": " << r.recommendation;
    }
}

TEST(MultigroupDecision, FocusOnTheReferenceLeadsWithItsComparison) {
    MultigroupOptions options;
    options.focus = MultigroupFocus::AgainstReference;
    const MultigroupResults r = ComputeMultigroup(test::InputOf("plantgrowth"), options);
    EXPECT_NE(r.recommendation.find("与ctrl比较用Dunnett法,两两比较用Tukey法"), std::string::npos) << r.recommendation;
}

// Three groups of ten with one spread: the means 0, 3.0·SE and 3.2·SE. The
// pair of the first two exceeds its own 5% point (q 3.0 > 2.92) but lies
// inside the range of all three, which does not reach its point (3.2 < 3.51).
TEST(MultigroupSnk, APairInsideANonSignificantRangeIsNotSignificant) {
    const std::vector<double> deviations = {-1.5, -1, -0.5, 0, 0.5, 1, 1.5, -0.2, 0.2, 0};
    const double se = std::sqrt(7.08 / 9 / 10);
    std::vector<std::vector<double>> groups;
    for (double shift : {0.0, 3.0 * se, 3.2 * se}) {
        groups.emplace_back();
        for (double d : deviations) groups.back().push_back(d + shift);
    }
    const MultigroupResults r = ComputeMultigroup(FromValues(groups), {});
    for (const SnkStep& step : r.snk) {
        EXPECT_FALSE(step.significant) << step.first << "-" << step.second;
        if (step.first == 0 && step.second == 1) {
            EXPECT_TRUE(step.exceeds);
        }
        if (step.first == 0 && step.second == 2) {
            EXPECT_FALSE(step.exceeds);
        }
    }
}

TEST(MultigroupConstantGroup, FiguresNeedingItsVarianceSaySoTheRestAreComputed) {
    MultigroupOptions everyMethod;
    everyMethod.extended = true;
    const MultigroupResults r = ComputeMultigroup(
        FromValues({{5, 5, 5, 5}, {4.1, 5.3, 6.2, 4.8, 5.5}, {6.9, 7.4, 8.8, 7.7}}), everyMethod);
    EXPECT_EQ(r.normality[0].why, text::kZeroSd);
    EXPECT_TRUE(r.normality[1].test);
    EXPECT_EQ(r.outliers[0].why, text::kZeroSd);
    EXPECT_FALSE(r.welch.f);
    EXPECT_EQ(r.welch.why, text::kZeroSd);
    EXPECT_FALSE(r.bartlett.statistic);
    EXPECT_EQ(r.bartlett.why, text::kZeroSd);
    for (const Comparison& c : r.gamesHowell) {
        const bool involvesConstant = c.first == 0;
        EXPECT_EQ(c.p.has_value(), !involvesConstant) << c.first << "-" << c.second;
        if (involvesConstant) {
            EXPECT_EQ(c.why, text::kZeroSd);
        }
    }
    EXPECT_TRUE(r.anova.f);
    EXPECT_TRUE(r.brownForsythe.f);
    EXPECT_TRUE(r.tukey.front().p);
    EXPECT_TRUE(r.dunnett.rows.front().p);
}

TEST(MultigroupConstantGroup, GroupsOfTwoAreDescribedButNotTestedForShape) {
    const MultigroupResults r = ComputeMultigroup(FromValues({{1, 2}, {3, 5}, {2, 2.5}}), {});
    for (int g = 0; g < 3; ++g) {
        EXPECT_EQ(r.normality[g].why, text::kTooFewForNormality);
        EXPECT_EQ(r.outliers[g].why, text::kTooFewForGrubbs);
    }
    // |x − median| of two values are equal: Levene has nothing to test.
    EXPECT_FALSE(r.leveneMedian.p);
    EXPECT_TRUE(r.residuals.test);
}

TEST(MultigroupHolm, StepDownWithMonotoneAdjustedValues) {
    // R: p.adjust(c(0.01, 0.04, 0.03, 0.005), "holm") = 0.03 0.06 0.06 0.02
    const std::vector<double> adjusted = HolmAdjusted({0.01, 0.04, 0.03, 0.005});
    const std::vector<double> expected = {0.03, 0.06, 0.06, 0.02};
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(adjusted[i], expected[i], 1e-15) << i;
}

TEST(MultigroupPText, NeverZeroAndMarksOnTheTwoGroupRule) {
    struct Case {
        double p;
        const char* text;
        const char* mark;
    };
    const Case cases[] = {{0.04999, "0.0500", "*"}, {0.05, "0.0500", "*"},     {0.0501, "0.0501", ""},
                          {0.01, "0.0100", "**"},   {0.0001, "0.0001", "**"}, {0.00009999, "<0.0001", "**"},
                          {0.0, "<0.0001", "**"},   {0.73, "0.7300", ""}};
    for (const Case& c : cases) {
        EXPECT_EQ(PText(c.p), c.text) << c.p;
        EXPECT_EQ(SignificanceMark(c.p, "*"), c.mark) << c.p;
    }
    EXPECT_EQ(SignificanceMark(0.003, "#"), "##");
}

}  // namespace
}  // namespace tavelmark::multigroup
