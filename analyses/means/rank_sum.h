#pragma once
// Wilcoxon-Mann-Whitney rank-sum test in its normal approximation, with the
// continuity and tie corrections; the normal tail is taken as Student's t
// with 9999 degrees of freedom.
#include <optional>
#include <span>
#include <vector>

namespace tavelmark::means {

// Ranks 1..N of the values in the order given; equal values share the mean of
// the positions they occupy. Also Σ(t³ - t) over the sets of t equal values.
struct Ranking {
    std::vector<double> ranks;
    double tieSum = 0;
};
Ranking RankValues(std::span<const double> values);

struct RankSumTest {
    double rankSumT = 0, rankSumR = 0;
    double statistic = 0;  // the rank sum of the smaller group (the smaller sum when equal)
    int smallerN = 0;
    double tieCorrection = 1;  // C = 1 - Σ(t³ - t) / (N³ - N)
    std::optional<double> z;   // reported as "U"
    std::optional<double> pTwoSided;
};
RankSumTest WilcoxonRankSum(std::span<const double> t, std::span<const double> r);

}  // namespace tavelmark::means
