#include "analyses/means/rank_sum.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "numeric/normal_quantile.h"

namespace tavelmark::means {

Ranking RankValues(std::span<const double> values) {
    const std::size_t n = values.size();
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    // Sorting positions, not comparing every pair: large groups stay n log n.
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return values[a] < values[b]; });
    Ranking out;
    out.ranks.assign(n, 0.0);
    for (std::size_t first = 0; first < n;) {
        std::size_t last = first + 1;
        while (last < n && values[order[last]] == values[order[first]]) ++last;
        // Positions first+1 .. last share their mean.
        const double shared = (static_cast<double>(first + 1) + static_cast<double>(last)) / 2.0;
        for (std::size_t k = first; k < last; ++k) out.ranks[order[k]] = shared;
        const double t = static_cast<double>(last - first);
        if (t >= 2) out.tieSum += t * t * t - t;
        first = last;
    }
    return out;
}

RankSumTest WilcoxonRankSum(std::span<const double> t, std::span<const double> r) {
    RankSumTest w;
    const int n1 = static_cast<int>(t.size()), n2 = static_cast<int>(r.size());
    std::vector<double> pooled(t.begin(), t.end());
    pooled.insert(pooled.end(), r.begin(), r.end());
    const Ranking ranking = RankValues(pooled);
    for (int i = 0; i < n1 + n2; ++i) (i < n1 ? w.rankSumT : w.rankSumR) += ranking.ranks[i];

    if (n1 < n2) {
        w.statistic = w.rankSumT;
        w.smallerN = n1;
    } else if (n1 > n2) {
        w.statistic = w.rankSumR;
        w.smallerN = n2;
    } else {
        w.statistic = std::min(w.rankSumT, w.rankSumR);
        w.smallerN = n1;
    }

    const double N = n1 + n2;
    if (N < 2) return w;
    w.tieCorrection = 1.0 - ranking.tieSum / (N * N * N - N);
    if (!(w.tieCorrection > 0)) return w;  // every value equal: no ordering to test
    // A deviation under one half leaves nothing after the continuity
    // correction: the test statistic is 0, not a negative number.
    const double deviation =
        std::max(0.0, std::fabs(w.statistic - w.smallerN * (N + 1) / 2.0) - 0.5);
    const double z = deviation / std::sqrt(static_cast<double>(n1) * n2 * (N + 1) / 12.0) /
                     std::sqrt(w.tieCorrection);
    if (!std::isfinite(z)) return w;
    w.z = z;
    w.pTwoSided = numeric::ReportNormalTwoSidedP(z);
    return w;
}

}  // namespace tavelmark::means
