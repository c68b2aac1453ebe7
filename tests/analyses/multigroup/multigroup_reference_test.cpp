// Every figure of the several-groups comparison against R
// (data/reference.R -> reference.csv: base R, car, and the published
// formulas written out in R where R has none) on PlantGrowth (R's datasets,
// reference group ctrl), an unbalanced set with ties, a set with unequal
// variances and a skewed one; and the published PlantGrowth figures to their
// printed decimals.
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "multigroup_fixtures.h"
#include "support/reference_table.h"
#include "support/tolerance.h"

namespace tavelmark::multigroup {
namespace {

using tavelmark::test::ReferenceRow;

struct ComputedSet {
    MultigroupInput input;
    MultigroupResults results;
};

const ComputedSet& Computed(const std::string& set) {
    static std::map<std::string, ComputedSet> cache;
    auto it = cache.find(set);
    if (it == cache.end()) {
        MultigroupInput input = test::InputOf(set);
        MultigroupOptions everyMethod;
        everyMethod.extended = true;
        MultigroupResults results = ComputeMultigroup(input, everyMethod);
        it = cache.emplace(set, ComputedSet{std::move(input), std::move(results)}).first;
    }
    return it->second;
}

int GroupIndex(const MultigroupInput& input, const std::string& name) {
    for (std::size_t i = 0; i < input.names.size(); ++i)
        if (input.names[i] == name) return static_cast<int>(i);
    throw std::out_of_range("no group " + name);
}

// The comparison of the named pair (or treatment against the reference) in a list.
const Comparison* Find(const std::vector<Comparison>& list, int first, int second) {
    for (const Comparison& c : list)
        if (c.first == first && c.second == second) return &c;
    return nullptr;
}

std::optional<double> P(const Comparison* c) { return c ? c->p : std::nullopt; }

// The program's figure for a reference row.
std::optional<double> Figure(const ComputedSet& s, const ReferenceRow& row) {
    const MultigroupResults& r = s.results;
    const std::string& f = row.text("figure");
    const int a = row.text("first").empty() ? -1 : GroupIndex(s.input, row.text("first"));
    const int b = row.text("second").empty() ? -1 : GroupIndex(s.input, row.text("second"));
    if (a >= 0 && b < 0) {
        const GroupSummary& g = r.summaries[a];
        const std::map<std::string, double> group = {
            {"n", g.n},           {"mean", g.mean},       {"sd", g.sd},         {"se", g.se},
            {"ci_lower", g.ciLower}, {"ci_upper", g.ciUpper}, {"median", g.median}, {"min", g.min},
            {"max", g.max}};
        if (group.count(f)) return group.at(f);
        if (f == "sw_w") return r.normality[a].test ? std::optional(r.normality[a].test->w) : std::nullopt;
        if (f == "sw_p") return r.normality[a].test ? std::optional(r.normality[a].test->p) : std::nullopt;
        if (f == "grubbs_g") return r.outliers[a].tested ? std::optional(r.outliers[a].g) : std::nullopt;
        if (f == "grubbs_p") return r.outliers[a].tested ? std::optional(r.outliers[a].p) : std::nullopt;
    }
    if (a >= 0 && b >= 0) {
        if (f == "diff") return Find(r.tukey, a, b)->difference;
        if (f == "tukey_q") return Find(r.tukey, a, b)->statistic;
        if (f == "tukey_p") return P(Find(r.tukey, a, b));
        if (f == "tukey_lower") return Find(r.tukey, a, b)->lower;
        if (f == "tukey_upper") return Find(r.tukey, a, b)->upper;
        if (f == "lsd_p") return P(Find(r.lsd, a, b));
        if (f == "bonferroni_p") return P(Find(r.bonferroni, a, b));
        if (f == "games_howell_p") return P(Find(r.gamesHowell, a, b));
        if (f == "tamhane_p") return P(Find(r.tamhane, a, b));
        if (f == "dunn_z") return Find(r.dunnPairs, a, b)->statistic;
        if (f == "dunn_holm_p") return P(Find(r.dunnPairs, a, b));
        if (f == "dunnett_p") return P(Find(r.dunnett.rows, a, b));
        if (f == "dunnett_lower") return Find(r.dunnett.rows, a, b)->lower;
        if (f == "dunnett_upper") return Find(r.dunnett.rows, a, b)->upper;
        if (f == "welch_sidak_p") return P(Find(r.welchSidak.rows, a, b));
        if (f == "welch_sidak_lower") return Find(r.welchSidak.rows, a, b)->lower;
        if (f == "welch_sidak_upper") return Find(r.welchSidak.rows, a, b)->upper;
        if (f == "dunn_reference_p") return P(Find(r.dunnAgainstReference, a, b));
        for (const SnkStep& step : r.snk) {
            if (step.first != a || step.second != b) continue;
            if (f == "snk_q") return step.q;
            if (f == "snk_critical") return step.critical;
            if (f == "snk_significant") return step.significant ? 1.0 : 0.0;
        }
    }
    const std::map<std::string, std::function<std::optional<double>()>> whole = {
        {"residual_sw_w", [&] { return std::optional(r.residuals.test->w); }},
        {"residual_sw_p", [&] { return std::optional(r.residuals.test->p); }},
        {"levene_median_f", [&] { return r.leveneMedian.f; }},
        {"levene_median_p", [&] { return r.leveneMedian.p; }},
        {"levene_mean_f", [&] { return r.leveneMean.f; }},
        {"levene_mean_p", [&] { return r.leveneMean.p; }},
        {"bartlett_chisq", [&] { return r.bartlett.statistic; }},
        {"bartlett_p", [&] { return r.bartlett.p; }},
        {"anova_f", [&] { return r.anova.f; }},
        {"anova_p", [&] { return r.anova.p; }},
        {"ms_within", [&] { return std::optional(r.anova.msWithin); }},
        {"ss_between", [&] { return std::optional(r.anova.ssBetween); }},
        {"ss_within", [&] { return std::optional(r.anova.ssWithin); }},
        {"eta2", [&] { return std::optional(r.eta.estimate); }},
        {"eta2_lower95", [&] { return r.eta.lower95; }},
        {"eta2_upper95", [&] { return r.eta.upper95; }},
        {"eta2_lower90", [&] { return r.eta.lower90; }},
        {"eta2_upper90", [&] { return r.eta.upper90; }},
        {"omega2", [&] { return std::optional(r.omega); }},
        {"welch_f", [&] { return r.welch.f; }},
        {"welch_df2", [&] { return std::optional(r.welch.df2); }},
        {"welch_p", [&] { return r.welch.p; }},
        {"bf_f", [&] { return r.brownForsythe.f; }},
        {"bf_df2", [&] { return std::optional(r.brownForsythe.df2); }},
        {"bf_p", [&] { return r.brownForsythe.p; }},
        {"kw_h", [&] { return std::optional(r.kruskalWallis.h); }},
        {"kw_tie", [&] { return std::optional(r.kruskalWallis.tieFactor); }},
        {"kw_hc", [&] { return std::optional(r.kruskalWallis.hCorrected); }},
        {"kw_p", [&] { return std::optional(r.kruskalWallis.p); }},
        {"dunnett_critical", [&] { return r.dunnett.critical; }},
    };
    if (whole.count(f)) return whole.at(f)();
    throw std::out_of_range("figure " + f + " not mapped");
}

TEST(MultigroupReference, EveryFigureMatchesR) {
    const auto rows = tavelmark::test::ReadReferenceTable(TAVELMARK_TEST_DATA "/reference.csv");
    ASSERT_FALSE(rows.empty());
    for (const ReferenceRow& row : rows) {
        if (row.text("set") == "two_groups") continue;
        const ComputedSet& s = Computed(row.text("set"));
        // Relative 1e-9; P values of 1e-12 and below to 1e-20 absolute.
        EXPECT_TRUE(tavelmark::test::MatchesReference(Figure(s, row), row, "value", 1e-9, 1e-20))
            << row.text("set") << " " << row.text("figure") << " " << row.text("first") << " " << row.text("second");
    }
}

}  // namespace
}  // namespace tavelmark::multigroup
