#include "analyses/means/equivalence.h"

#include <algorithm>
#include <cmath>

#include "analyses/means/pooled_variance.h"
#include "analyses/means/significance.h"
#include "numeric/finite.h"
#include "numeric/normal_quantile.h"

namespace tavelmark::means {

using numeric::Finite;

PooledSpread PoolGroups(const GroupDescription& dt, const GroupDescription& dr) {
    PooledSpread p;
    p.df = dt.n + dr.n - 2;
    if (dt.mean && dr.mean) p.difference = Finite(std::fabs(*dt.mean - *dr.mean));
    if (dt.sd && dr.sd && p.df > 0) {
        p.sd = Finite(std::sqrt(PooledVariance(dt.n, *dt.sd * *dt.sd, dr.n, *dr.sd * *dr.sd)));
        if (p.sd) p.se = Finite(*p.sd * std::sqrt(1.0 / dt.n + 1.0 / dr.n));
    }
    return p;
}

std::array<SampleSizeLine, 4> EstimateSampleSizes(const PooledSpread& spread) {
    std::array<SampleSizeLine, 4> lines{{{"70%", {}}, {"80%", {}}, {"90%", {}}, {"95%", {}}}};
    if (!spread.sd || !spread.difference || !(*spread.difference > 0)) return lines;
    const double ratio = *spread.sd / *spread.difference;
    const double r = ratio * ratio;
    // The factor 2(z_0.975 + z_power)² of the two-group normal formula per
    // power (R: 2 * (qnorm(0.975) + qnorm(power))^2): 12.34413, 15.69776,
    // 21.01485, 25.98942, of which the report has always used 12.3441 (from
    // 1.95996 and 0.52440) and three significant digits for the others. The
    // offsets are its small-sample allowance (the t points lie above the
    // normal ones for few subjects); we know no published source for them.
    // Whole subjects rounded up by Int() + 1.
    const double slope[4] = {12.3441, 15.6, 21, 26};
    const double offset[4] = {2, 1.6, 1.5, 1.4};
    for (int i = 0; i < 4; ++i) lines[i].perGroup = Finite(std::floor(slope[i] * r + offset[i]) + 1);
    return lines;
}

double EquivalenceMultiplier(int df) { return 1.645 + 1.527 / (df - 0.9); }

std::array<EquivalenceLine, 5> TestEquivalence(const GroupDescription& dt,
                                               const GroupDescription& dr,
                                               const PooledSpread& spread) {
    std::array<EquivalenceLine, 5> lines{{{"±5%", 0.05, {}, {}},
                                          {"±10%", 0.10, {}, {}},
                                          {"±15%", 0.15, {}, {}},
                                          {"±20%", 0.20, {}, {}},
                                          {"±30%", 0.30, {}, {}}}};
    if (!dt.mean || !dr.mean || !spread.se || !spread.difference) return lines;
    const double ta = EquivalenceMultiplier(spread.df);
    // The margin is a share of the larger mean in magnitude, so data below
    // zero (changes from baseline) can be equivalent too.
    const double larger = std::max(std::fabs(*dt.mean), std::fabs(*dr.mean));
    for (auto& line : lines) {
        const double limit = line.factor * larger - ta * *spread.se;
        // Three decimals, halves upward; the verdict compares with the value as shown.
        line.limit = Finite(std::floor(limit * 1000 + 0.5) / 1000);
        if (line.limit) line.equivalent = *spread.difference <= *line.limit;
    }
    return lines;
}

const char* EquivalenceText(std::optional<bool> equivalent) {
    if (!equivalent) return kNotComputable;
    return *equivalent ? "等效合格" : "等效不合格";
}

namespace {

// F(x): the lower tail of Student's t with 9999 df, standing for the normal.
std::optional<double> LowerTail(double x) {
    const auto upper = numeric::ReportNormalUpperP(std::fabs(x));
    if (!upper) return std::nullopt;
    return x < 0 ? *upper : 1 - *upper;
}

}  // namespace

ObservedPower PowerOf(std::optional<double> pTwoSided, const PooledSpread& spread) {
    ObservedPower out;
    if (!pTwoSided) return out;
    out.alpha = *pTwoSided / 2;
    if (!spread.difference || !spread.se || !(*spread.se > 0)) return out;
    // The power function of the two-sided z test at the 5% level with both
    // rejection regions counted: P(|Z + d/SE| > z) for a standard normal Z.
    const auto z = numeric::ReportNormalPoint(0.05);
    if (!z) return out;
    const double shift = *spread.difference / *spread.se;
    const auto above = LowerTail(shift - *z);
    const auto below = LowerTail(-shift - *z);
    if (above && below) out.power = Finite(*above + *below);
    return out;
}

}  // namespace tavelmark::means
