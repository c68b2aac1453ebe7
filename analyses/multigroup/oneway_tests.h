#pragma once
// The tests of all groups at once: the one-way analysis of variance and its
// two forms for unequal variances (Welch; Brown & Forsythe's F*), the
// variance-homogeneity tests (Levene on medians and on means, Bartlett) and
// the Kruskal–Wallis rank test.
#include <optional>
#include <string>
#include <vector>

#include "analyses/multigroup/group_summary.h"

namespace tavelmark::multigroup {

using Groups = std::vector<std::vector<double>>;

struct AnovaTable {
    double ssBetween = 0, ssWithin = 0, ssTotal = 0;
    int dfBetween = 0, dfWithin = 0;
    double msBetween = 0, msWithin = 0;
    std::optional<double> f, p;  // empty when every group is constant
    std::string why;
};
AnovaTable OneWayAnova(const Groups& groups, const std::vector<GroupSummary>& summaries);

// An F test with possibly fractional denominator degrees of freedom.
struct FTest {
    std::optional<double> f;
    double df1 = 0, df2 = 0;
    std::optional<double> p;
    std::string why;  // when f is empty
};
// Welch (1951): groups weighted by n/s²; refused when a group's SD is 0.
FTest WelchAnova(const std::vector<GroupSummary>& summaries);
// Brown & Forsythe (1974), Technometrics 16 129–132: F* = Σnᵢ(x̄ᵢ − x̄)² /
// Σ(1 − nᵢ/N)sᵢ², denominator df by Satterthwaite.
FTest BrownForsytheAnova(const std::vector<GroupSummary>& summaries);
// Levene (1960) on |x − mean| and, as Brown & Forsythe advised, on
// |x − median|: the one-way F of the absolute deviations.
FTest LeveneTest(const Groups& groups, const std::vector<GroupSummary>& summaries, bool aboutMedian);

struct ChiSquareTest {
    std::optional<double> statistic;
    double df = 0;
    std::optional<double> p;
    std::string why;
};
// Bartlett (1937) with its correction factor; refused when a group's SD is 0.
ChiSquareTest BartlettTest(const std::vector<GroupSummary>& summaries);

// Midranks of the pooled values, group by group, and Σ(t³ − t) over the ties.
struct PooledRanks {
    std::vector<std::vector<double>> ranks;
    std::vector<double> meanRanks;
    int total = 0;
    double tieSum = 0;
};
PooledRanks RankPooled(const Groups& groups);

struct KruskalWallis {
    double h = 0;          // without the tie correction
    double tieFactor = 1;  // 1 − Σ(t³ − t)/(N³ − N)
    double hCorrected = 0;
    int df = 0;
    double p = 0;
};
KruskalWallis KruskalWallisTest(const PooledRanks& ranks);

}  // namespace tavelmark::multigroup
