#include "analyses/means/rank_shift.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "analyses/means/extended_means_texts.h"
#include "analyses/means/rank_sum.h"
#include "numeric/normal_quantile.h"

namespace tavelmark::means {

namespace {

std::vector<double> SortedDifferences(std::span<const double> t, std::span<const double> r) {
    std::vector<double> d;
    d.reserve(t.size() * r.size());
    for (double x : t)
        for (double y : r) d.push_back(x - y);
    std::sort(d.begin(), d.end());
    return d;
}

double MedianOfSorted(const std::vector<double>& d) {
    const std::size_t k = d.size() / 2;
    return d.size() % 2 ? d[k] : (d[k - 1] + d[k]) / 2;
}

bool AnyValueRepeats(std::span<const double> t, std::span<const double> r) {
    std::vector<double> pooled(t.begin(), t.end());
    pooled.insert(pooled.end(), r.begin(), r.end());
    std::sort(pooled.begin(), pooled.end());
    return std::adjacent_find(pooled.begin(), pooled.end()) != pooled.end();
}

bool IsConstant(std::span<const double> values) {
    return std::adjacent_find(values.begin(), values.end(), std::not_equal_to<>()) == values.end();
}

double TieSum(std::span<const double> values) { return RankValues(values).tieSum; }

// Exact test and limits (Hollander & Wolfe, Nonparametric Statistical
// Methods, 2nd ed., ch. 4): the limits are the order statistics q and
// m n + 1 − q of the differences, q the largest whose lower tail stays within
// 2.5%.
void Exact(RankShift& out, const std::vector<double>& differences, int n1, int n2) {
    const std::vector<double> p = MannWhitneyDistribution(n1, n2);
    const int mn = n1 * n2;
    const int w = static_cast<int>(out.statisticW);
    double tail = 0;
    if (w > mn / 2.0) {
        for (int k = w; k <= mn; ++k) tail += p[k];
    } else {
        for (int k = 0; k <= w; ++k) tail += p[k];
    }
    out.pTwoSided = std::min(2 * tail, 1.0);

    int q = 0;
    double below = p[0];
    // the tolerance keeps a tail that equals 2.5% up to rounding on its own side
    while (below < 0.025 - 10 * std::numeric_limits<double>::epsilon()) below += p[++q];
    q = std::max(q, 1);
    double outside = 0;
    for (int k = 0; k < q; ++k) outside += p[k];
    out.shift.lower = differences[q - 1];
    out.shift.upper = differences[mn - q];
    out.achievedLevel = 1 - 2 * outside;
}

// The continuity-corrected statistic (Lehmann, Nonparametrics, 1975, ch. 1)
// for a count of pairs `above` with T above R.
double CorrectedZ(double above, double mn, double sigma) {
    const double deviation = above - mn / 2;
    const double correction = deviation > 0 ? 0.5 : deviation < 0 ? -0.5 : 0.0;
    return (deviation - correction) / sigma;
}

// Normal-approximation limits: shifting T by δ between two neighbouring
// distinct differences leaves no tie across the groups, so the count of pairs
// with T above R is the number of differences above δ and the tie correction
// is that of the groups alone. The limit for the quantile zq is the last
// distinct difference below which the statistic still exceeds zq.
double NormalLimit(const std::vector<double>& differences, double sigma, double zq) {
    const double mn = static_cast<double>(differences.size());
    double limit = differences.front();
    for (std::size_t k = 0; k < differences.size();) {
        if (CorrectedZ(mn - static_cast<double>(k), mn, sigma) > zq) limit = differences[k];
        std::size_t next = k + 1;
        while (next < differences.size() && differences[next] == differences[k]) ++next;
        k = next;
    }
    return limit;
}

void NormalApproximation(RankShift& out, const std::vector<double>& differences,
                         std::span<const double> t, std::span<const double> r,
                         double pooledTieSum) {
    const double n1 = static_cast<double>(t.size()), n2 = static_cast<double>(r.size());
    const double N = n1 + n2, mn = n1 * n2;
    auto sigmaFor = [&](double tieSum) {
        return std::sqrt(mn / 12 * ((N + 1) - tieSum / (N * (N - 1))));
    };
    const double z = CorrectedZ(out.statisticW, mn, sigmaFor(pooledTieSum));
    out.pTwoSided = 2 * numeric::NormalUpperTail(std::fabs(z));

    // Two constant groups become one tie when T is shifted onto R: the
    // statistic has no spread there and the limits cannot be found.
    if (IsConstant(t) && IsConstant(r)) {
        out.shift.reason = text::kBothGroupsConstant;
        return;
    }
    const double shiftedSigma = sigmaFor(TieSum(t) + TieSum(r));
    const double z975 = numeric::NormalQuantile(0.975);
    out.shift.lower = NormalLimit(differences, shiftedSigma, z975);
    out.shift.upper = NormalLimit(differences, shiftedSigma, -z975);
}

// The permutation P given the ties, P(|S − E| ≥ |s − E|) for T's rank sum S
// with mean E (Lehmann, Nonparametrics, 1975, ch. 1, sect. 4). Doubled, the
// mid-ranks and E = n1 (N + 1) are whole numbers, so the comparison is exact.
double ExactTiedP(const std::vector<double>& ranks, int n1) {
    std::vector<int> doubled(ranks.size());
    for (std::size_t i = 0; i < ranks.size(); ++i) doubled[i] = static_cast<int>(std::lround(2 * ranks[i]));
    int observed = 0;
    for (int i = 0; i < n1; ++i) observed += doubled[i];
    const int centre = n1 * (static_cast<int>(ranks.size()) + 1);
    const std::vector<double> p = TiedRankSumDistribution(doubled, n1);
    double tail = 0;
    for (std::size_t s = 0; s < p.size(); ++s)
        if (std::abs(static_cast<int>(s) - centre) >= std::abs(observed - centre)) tail += p[s];
    return std::min(tail, 1.0);
}

// Differences of values near the limits of double precision can be ±infinity:
// no figure built on one is shown.
void KeepFiniteShift(RankShift& out) {
    LimitedEstimate& shift = out.shift;
    if (shift.estimate && !std::isfinite(*shift.estimate)) {
        shift = LimitedEstimate{};
        shift.reason = text::kOverflow;
        out.achievedLevel.reset();
        return;
    }
    if ((shift.lower && !std::isfinite(*shift.lower)) ||
        (shift.upper && !std::isfinite(*shift.upper))) {
        shift.lower.reset();
        shift.upper.reset();
        shift.reason = text::kOverflowLimits;
        out.achievedLevel.reset();
    }
}

}  // namespace

std::vector<double> MannWhitneyDistribution(int m, int n) {
    // With i values in T and j in R, the largest of all is T's with chance
    // i/(i + j), and then it is above all j values of R; else it is R's
    // (Mann & Whitney 1947, Ann Math Stat 18:50). byR[j] holds the
    // distribution for i − 1 and j, then for i and j.
    std::vector<std::vector<double>> byR(n + 1, std::vector<double>{1.0});
    for (int i = 1; i <= m; ++i) {
        for (int j = 1; j <= n; ++j) {
            std::vector<double> p(static_cast<std::size_t>(i * j + 1), 0.0);
            const double fromT = static_cast<double>(i) / (i + j);
            const double fromR = static_cast<double>(j) / (i + j);
            for (std::size_t w = 0; w < byR[j].size(); ++w) p[w + j] += fromT * byR[j][w];
            for (std::size_t w = 0; w < byR[j - 1].size(); ++w) p[w] += fromR * byR[j - 1][w];
            byR[j] = std::move(p);
        }
    }
    return byR[n];
}

std::vector<double> TiedRankSumDistribution(std::span<const int> doubledRanks, int chosen) {
    // In ascending order the k smallest values seen so far are the first k
    // and the k largest the last k, which bound every sum.
    std::vector<int> ranks(doubledRanks.begin(), doubledRanks.end());
    std::sort(ranks.begin(), ranks.end());
    const int values = static_cast<int>(ranks.size());
    std::vector<int> smallest(static_cast<std::size_t>(values) + 1, 0);  // sum of the first k
    for (int k = 0; k < values; ++k) smallest[k + 1] = smallest[k] + ranks[k];
    // ways[k][s]: the subsets of k of the values seen so far whose doubled
    // ranks add up to s. A value joins each subset of k − 1 or stays out.
    // Counts reach C(100, 50) ≈ 1e29: doubles keep them to 16 digits.
    std::vector<std::vector<double>> ways(
        static_cast<std::size_t>(chosen) + 1,
        std::vector<double>(static_cast<std::size_t>(smallest[values]) + 1, 0.0));
    ways[0][0] = 1;
    int seen = 0, reached = 0;
    for (int v : ranks) {
        ++seen;
        reached += v;
        // Subsets too small to reach `chosen` with the values still to come
        // are never needed.
        const int fewest = std::max(1, chosen - (values - seen));
        for (int k = std::min(seen, chosen); k >= fewest; --k) {
            std::vector<double>& to = ways[k];
            const std::vector<double>& from = ways[k - 1];
            // From the sum of the k − 1 smallest plus v to that of the k largest.
            const int highest = reached - smallest[seen - k];
            for (int s = highest; s >= smallest[k - 1] + v; --s) to[s] += from[s - v];
        }
    }
    std::vector<double> p = std::move(ways[chosen]);
    double count = 0;
    for (double w : p) count += w;
    for (double& w : p) w /= count;
    return p;
}

RankShift ComputeRankShift(std::span<const double> t, std::span<const double> r) {
    RankShift out;
    const int n1 = static_cast<int>(t.size()), n2 = static_cast<int>(r.size());
    if (n1 == 0 || n2 == 0) {
        out.shift.reason = out.pReason = text::kTooFewForSpread;
        return out;
    }
    const std::vector<double> differences = SortedDifferences(t, r);
    out.shift.estimate = MedianOfSorted(differences);

    std::vector<double> pooled(t.begin(), t.end());
    pooled.insert(pooled.end(), r.begin(), r.end());
    const Ranking ranking = RankValues(pooled);
    double rankSumT = 0;
    for (int i = 0; i < n1; ++i) rankSumT += ranking.ranks[i];
    out.statisticW = rankSumT - n1 * (n1 + 1) / 2.0;

    if (IsConstant(pooled)) {
        out.method = RankTestMethod::AllValuesEqual;
        out.shift.reason = out.pReason = text::kAllValuesEqual;
        return out;
    }
    const bool small = n1 <= kExactRankTestLimit && n2 <= kExactRankTestLimit;
    if (small && !AnyValueRepeats(t, r)) {
        out.method = RankTestMethod::Exact;
        Exact(out, differences, n1, n2);
    } else {
        out.method = small ? RankTestMethod::ExactWithTies : RankTestMethod::NormalApproximation;
        NormalApproximation(out, differences, t, r, ranking.tieSum);
        // With few values the normal tail is too small (5, 5, 5 against
        // 3, 3, 3: 0.047 where the exact P is 0.1); the exact P replaces it.
        if (small) out.pTwoSided = ExactTiedP(ranking.ranks, n1);
    }
    KeepFiniteShift(out);
    return out;
}

}  // namespace tavelmark::means
