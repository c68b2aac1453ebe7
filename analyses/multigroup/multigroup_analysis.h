#pragma once
// The whole computation: each group described and checked, the assumptions
// tested, one path chosen and said why, and every comparison a reviewer may
// ask for. Checks and writers never compute; this never writes.
#include <optional>
#include <string>
#include <vector>

#include "analyses/multigroup/comparisons.h"
#include "analyses/multigroup/effect_sizes.h"
#include "analyses/multigroup/group_summary.h"
#include "analyses/multigroup/multigroup_input.h"
#include "analyses/multigroup/multigroup_options.h"
#include "analyses/multigroup/oneway_tests.h"

namespace tavelmark::multigroup {

enum class MultigroupPath { Anova, Welch, KruskalWallis };

struct MultigroupResults {
    std::vector<GroupSummary> summaries;
    std::vector<GrubbsCheck> outliers;
    std::vector<NormalityCheck> normality;
    NormalityCheck residuals;  // x − x̄ᵢ pooled: the test the path rests on

    FTest leveneMedian, leveneMean;
    ChiSquareTest bartlett;

    AnovaTable anova;
    FTest welch, brownForsythe;
    PooledRanks ranks;
    KruskalWallis kruskalWallis;
    EtaSquared eta;
    double omega = 0;

    MultigroupPath path = MultigroupPath::Anova;
    std::string recommendation;  // which path, and why, in a sentence

    // Against the reference group (the treatments exclude the normal control).
    // Dunnett's test and Tukey's (of the analysis-of-variance path) and
    // Games–Howell (of Welch's) are left empty on the other paths unless the
    // 扩展结果 sheet is asked for: their integrals are the costly part.
    std::vector<int> treatments;
    ControlFamily dunnett, welchSidak;
    std::vector<Comparison> dunnAgainstReference;
    // The reference against the normal control, by the path's own method.
    std::optional<Comparison> normalComparison;

    std::vector<Comparison> tukey, gamesHowell, lsd, bonferroni, tamhane, dunnPairs;
    std::vector<SnkStep> snk;

    // The comparisons of the chosen path, for the marks.
    const std::vector<Comparison>& againstReference() const;
    const std::vector<Comparison>& pairs() const;
};

MultigroupResults ComputeMultigroup(const MultigroupInput& input, const MultigroupOptions& options);

}  // namespace tavelmark::multigroup
