#pragma once
// What follows from the pooled spread and the observed difference: the
// subjects per group needed for P ≤ 0.05 at four powers, the equivalence test
// against five margins, and the observed power of the recommended test.
#include <array>
#include <optional>

#include "analyses/means/descriptive_statistics.h"

namespace tavelmark::means {

struct PooledSpread {
    std::optional<double> difference;  // d = |mean_T - mean_R|
    std::optional<double> sd;          // Sc, pooled
    std::optional<double> se;          // Sc * sqrt(1/n1 + 1/n2)
    int df = 0;                        // n1 + n2 - 2
};
PooledSpread PoolGroups(const GroupDescription& dt, const GroupDescription& dr);

struct SampleSizeLine {
    const char* power;  // "70%"
    std::optional<double> perGroup;
};
// The two-group normal formula n = 2(z_0.975 + z_power)²(Sc/d)² per group
// (Lachin, Controlled Clinical Trials 2 (1981) 93-113), its factor
// written per power, plus a small-sample allowance, whole subjects rounded up;
// empty when the means are equal.
std::array<SampleSizeLine, 4> EstimateSampleSizes(const PooledSpread& spread);

struct EquivalenceLine {
    const char* margin;  // "±5%"
    double factor;
    std::optional<double> limit;       // Δ - t_a·SE, rounded to 3 decimals
    std::optional<bool> equivalent;    // d ≤ the rounded limit
};
// One-sided 5% point of t with df degrees of freedom in closed form:
// 1.645 + 1.527/(df - 0.9). 1.645 is z_0.95, and 1.527 is (z³ + z)/4 = 1.524,
// the first term of the Cornish-Fisher expansion of t in 1/df (Abramowitz &
// Stegun 26.7.5), rounded up; the 0.9 taken off df absorbs the later terms.
// Against R's qt(0.95, df) it is within 0.006 for df >= 4, the least the
// report meets, and within 0.0006 from df = 8 on.
double EquivalenceMultiplier(int df);
std::array<EquivalenceLine, 5> TestEquivalence(const GroupDescription& dt,
                                               const GroupDescription& dr,
                                               const PooledSpread& spread);
const char* EquivalenceText(std::optional<bool> equivalent);

// α is half the recommended test's P value, as shown beside the power. The
// power is that of a two-sided test at the 5% level, whatever P came out:
// F(d/SE − z) + F(−d/SE − z) with z = TINV(0.05, 9999) and F Student's t with
// 9999 df; 0.05 when the means are equal. Both are empty without a P value.
struct ObservedPower {
    std::optional<double> alpha;  // P / 2
    std::optional<double> power;  // 1 - β
};
ObservedPower PowerOf(std::optional<double> pTwoSided, const PooledSpread& spread);

}  // namespace tavelmark::means
