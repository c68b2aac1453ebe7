#pragma once
// Comparisons of two groups at a time, every pair or each treatment against
// the reference group, by the methods a reviewer may ask for. Each is a plain
// list of Comparison records; the P values carry their method's adjustment.
#include <optional>
#include <string>
#include <vector>

#include "analyses/multigroup/group_summary.h"
#include "analyses/multigroup/oneway_tests.h"

namespace tavelmark::multigroup {

struct Comparison {
    int first = 0, second = 0;  // group indices; the difference is second − first
    double difference = 0;
    std::optional<double> se;
    std::optional<double> statistic;  // t, q or z as the method has it
    std::optional<double> df;
    std::optional<double> p;
    std::optional<double> lower, upper;  // 95%, simultaneous where the method is
    std::string why;                     // when p is empty
};

// Every pair i < j in column order.
std::vector<std::pair<int, int>> AllPairs(int groups);

// Tukey's honestly significant difference, the Tukey–Kramer form for unequal
// n: q = |x̄ⱼ − x̄ᵢ| / √(MS_within/2 · (1/nᵢ + 1/nⱼ)), P and limits from the
// studentized range of all k means.
std::vector<Comparison> TukeyKramer(const std::vector<GroupSummary>& s, const AnovaTable& anova,
                                    std::optional<double> rangePoint);
// Games & Howell (1976): the same with each pair's own variances and Welch df.
std::vector<Comparison> GamesHowell(const std::vector<GroupSummary>& s);
// Fisher's least significant difference: pooled-variance t, unadjusted.
std::vector<Comparison> LeastSignificantDifference(const std::vector<GroupSummary>& s, const AnovaTable& anova);
// The same t with P multiplied by the number of pairs (capped at 1) and
// limits at 0.05/(number of pairs).
std::vector<Comparison> Bonferroni(const std::vector<GroupSummary>& s, const AnovaTable& anova);
// Tamhane's T2 (1979): Welch t with Šidák's adjustment over all pairs.
std::vector<Comparison> TamhaneT2(const std::vector<GroupSummary>& s);
// Dunn (1964): z of the mean ranks with the tie correction, Holm's
// adjustment over the pairs listed.
std::vector<Comparison> DunnHolm(const PooledRanks& ranks, const std::vector<std::pair<int, int>>& pairs);

// Against the reference group: the difference is treatment − reference.
struct ControlFamily {
    std::vector<Comparison> rows;
    std::optional<double> critical;  // Dunnett's two-sided 5% point
};
// Dunnett's two-sided many-to-one test with simultaneous 95% limits.
ControlFamily Dunnett(const std::vector<GroupSummary>& s, const AnovaTable& anova, int reference,
                      const std::vector<int>& treatments);
// Welch's t of each treatment against the reference, Šidák-adjusted over the
// family, with limits at the Šidák level.
ControlFamily WelchSidak(const std::vector<GroupSummary>& s, int reference, const std::vector<int>& treatments);

// The Student–Newman–Keuls step-down test: means in ascending order, each
// pair's q against the 5% point of the range of the `span` means it spans,
// widest ranges first; a pair inside a range found not significant is not
// significant, whatever its own q.
struct SnkStep {
    int first = 0, second = 0;  // group indices, first < second
    double difference = 0;      // second − first
    int span = 0;
    std::optional<double> q, critical;
    bool exceeds = false;      // q ≥ its critical point
    bool significant = false;  // and every range containing it was significant
};
std::vector<SnkStep> StudentNewmanKeuls(const std::vector<GroupSummary>& s, const AnovaTable& anova,
                                        const std::vector<std::optional<double>>& rangePoints);

// The 5% points of the range of 2..k means on the error df (index = number
// of means), each a search over the distribution: computed once for Tukey's
// limits and the SNK steps. Empty without an error variance.
std::vector<std::optional<double>> RangePoints(int k, const AnovaTable& anova);

// Holm's step-down adjustment of a family of P values.
std::vector<double> HolmAdjusted(const std::vector<double>& p);

}  // namespace tavelmark::multigroup
