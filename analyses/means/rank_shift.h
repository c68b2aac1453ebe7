#pragma once
// The Hodges–Lehmann shift T − R with its limits and the Mann–Whitney
// (Wilcoxon rank-sum) test. When both groups have at most 50 values the test
// is exact: from the distribution without ties when no value repeats in the
// pooled data, else from the exact distribution given the ties; the limits
// are exact without ties. Larger groups, and the limits with ties, take the
// normal approximation with continuity and tie corrections.
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analyses/means/effect_sizes.h"

namespace tavelmark::means {

inline constexpr int kExactRankTestLimit = 50;

enum class RankTestMethod { Exact, ExactWithTies, NormalApproximation, AllValuesEqual };

struct RankShift {
    LimitedEstimate shift;               // median of the n1 n2 differences
    std::optional<double> achievedLevel; // coverage of the exact limits
    double statisticW = 0;               // pairs with T above R, ties counted half
    std::optional<double> pTwoSided;
    std::string pReason;
    RankTestMethod method = RankTestMethod::NormalApproximation;
};

RankShift ComputeRankShift(std::span<const double> t, std::span<const double> r);

// P(W = w), w = 0 .. m n, for groups of m and n values without ties.
std::vector<double> MannWhitneyDistribution(int m, int n);

// P(S = s), s = 0 .. Σ doubled ranks, of the sum S of the doubled mid-ranks of
// `chosen` values drawn at random from the pooled values, whose doubled
// mid-ranks are given: the rank sum's exact distribution given the ties.
std::vector<double> TiedRankSumDistribution(std::span<const int> doubledRanks, int chosen);

}  // namespace tavelmark::means
