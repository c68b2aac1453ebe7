#include "analyses/means/effect_sizes.h"

#include <cmath>
#include <cstdint>
#include <utility>

#include <boost/math/distributions/non_central_t.hpp>
#include <boost/math/special_functions/gamma.hpp>
#include <boost/math/tools/toms748_solve.hpp>

#include "analyses/means/extended_means_texts.h"
#include "analyses/means/pooled_variance.h"
#include "numeric/finite.h"
#include "numeric/normal_quantile.h"

namespace tavelmark::means {

using numeric::Finite;

namespace {

// The noncentrality δ at which P(T_df,δ ≤ t) = p. The distribution function
// falls as δ grows, so the root is bracketed by walking outward from t.
std::optional<double> NoncentralityFor(double t, double df, double p) {
    auto f = [&](double delta) {
        return cdf(boost::math::non_central_t_distribution<double>(df, delta), t) - p;
    };
    double low = t - 5, high = t + 5;
    double fLow = f(low), fHigh = f(high);
    // The distribution function tends to 1 as δ falls and to 0 as it grows;
    // sixty doublings reach far beyond any t a data set gives.
    for (double step = 5; fLow < 0 && step < 1e19; step *= 2) {
        high = low, fHigh = fLow;
        low -= step, fLow = f(low);
    }
    for (double step = 5; fHigh > 0 && step < 1e19; step *= 2) {
        low = high, fLow = fHigh;
        high += step, fHigh = f(high);
    }
    if (!(fLow >= 0 && fHigh <= 0)) return std::nullopt;
    if (fLow == 0) return low;
    if (fHigh == 0) return high;
    std::uintmax_t iterations = 200;
    const auto [a, b] = boost::math::tools::toms748_solve(
        f, low, high, fLow, fHigh, boost::math::tools::eps_tolerance<double>(50), iterations);
    if (iterations >= 200) return std::nullopt;
    return (a + b) / 2;
}

// Cohen's d with the limits that invert the noncentral t at the observed t
// (Steiger & Fouladi 1997, in What If There Were No Significance Tests?;
// Cumming & Finch 2001, Educ Psychol Meas 61:532).
LimitedEstimate CohenD(double d, double n1, double n2) {
    LimitedEstimate out;
    out.estimate = d;
    const double scale = std::sqrt(1 / n1 + 1 / n2);
    const double df = n1 + n2 - 2;
    try {
        const auto lower = NoncentralityFor(d / scale, df, 0.975);
        const auto upper = NoncentralityFor(d / scale, df, 0.025);
        if (!lower || !upper) {
            out.reason = text::kRootNotFound;
            return out;
        }
        out.lower = *lower * scale;
        out.upper = *upper * scale;
    } catch (const std::exception&) {
        out.reason = text::kRootNotFound;
    }
    return out;
}

}  // namespace

// J = Γ(df/2) / (√(df/2) Γ((df − 1)/2)) (Hedges 1981, J Educ Stat 6:107);
// 1 − 3/(4 df − 1) is only its approximation.
double HedgesCorrection(double df) {
    return 1 / (boost::math::tgamma_delta_ratio((df - 1) / 2, 0.5) * std::sqrt(df / 2));
}

EffectSizes ComputeEffectSizes(const GroupMoments& t, const GroupMoments& r) {
    EffectSizes out;
    const double n1 = t.n, n2 = r.n, df = n1 + n2 - 2;
    if (df > 1) out.hedgesJ = HedgesCorrection(df);
    auto missing = [&out](const char* reason) {
        out.cohenD.reason = out.hedgesG.reason = reason;
        return out;
    };
    if (t.n < 2 || r.n < 2) return missing(text::kTooFewForSpread);
    // With two or more values a missing moment is one beyond double precision.
    if (!t.mean || !r.mean || !t.variance || !r.variance) return missing(text::kOverflow);
    out.pooledSd = Finite(std::sqrt(PooledVariance(t.n, *t.variance, r.n, *r.variance)));
    if (!out.pooledSd) return missing(text::kOverflow);
    if (*out.pooledSd == 0) return missing(text::kNoSpread);
    const auto difference = Finite(*t.mean - *r.mean);
    const auto standardised = difference ? Finite(*difference / *out.pooledSd) : std::nullopt;
    if (!standardised) return missing(text::kOverflow);
    const double d = *standardised;
    out.cohenD = CohenD(d, n1, n2);

    // se² = (n1 + n2)/(n1 n2) + g²/(2(n1 + n2)) (Hedges & Olkin 1985,
    // Statistical Methods for Meta-Analysis, ch. 5).
    const double g = *out.hedgesJ * d;
    const double se = std::sqrt((n1 + n2) / (n1 * n2) + g * g / (2 * (n1 + n2)));
    const double z = numeric::NormalQuantile(0.975);
    out.hedgesG.estimate = g;
    out.hedgesG.lower = g - z * se;
    out.hedgesG.upper = g + z * se;
    out.hedgesGStandardError = se;
    return out;
}

}  // namespace tavelmark::means
