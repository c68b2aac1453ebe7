#include "analyses/means/mean_difference.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <boost/math/distributions/students_t.hpp>

#include "analyses/means/extended_means_texts.h"
#include "analyses/means/pooled_variance.h"
#include "numeric/finite.h"
#include "numeric/worksheet_functions.h"

namespace tavelmark::means {

namespace wsf = numeric::wsf;

namespace {

// A standard error below ten rounding units of the means leaves nothing but
// rounding to divide by: the data are as good as constant.
bool EssentiallyConstant(double standardError, double meanT, double meanR) {
    const double scale = std::max(std::fabs(meanT), std::fabs(meanR));
    return standardError < 10 * std::numeric_limits<double>::epsilon() * scale;
}

MeanDifferenceInterval NoInterval(const char* reason) {
    MeanDifferenceInterval out;
    out.reason = reason;
    return out;
}

// Why there are no limits when a group's mean or variance is missing: too few
// values, or values whose sums or squares leave double precision.
MeanDifferenceInterval NoMoments(const GroupMoments& t, const GroupMoments& r) {
    if (t.n < 2 || r.n < 2) return NoInterval(text::kTooFewForSpread);
    if (t.mean && r.mean && std::isfinite(*t.mean - *r.mean)) return NoInterval(text::kOverflowLimits);
    return NoInterval(text::kOverflow);
}

bool HasMoments(const GroupMoments& g) { return g.mean && g.variance; }

MeanDifferenceInterval Interval(double df, double standardError, const GroupMoments& t,
                                const GroupMoments& r) {
    const double difference = *t.mean - *r.mean;
    if (!std::isfinite(difference)) return NoInterval(text::kOverflow);
    if (!std::isfinite(standardError)) return NoInterval(text::kOverflowLimits);
    if (EssentiallyConstant(standardError, *t.mean, *r.mean)) return NoInterval(text::kNoSpread);
    MeanDifferenceInterval out;
    const double q = quantile(boost::math::students_t_distribution<double>(df), 0.975);
    out.df = df;
    out.lower = difference - q * standardError;
    out.upper = difference + q * standardError;
    if (!std::isfinite(*out.lower) || !std::isfinite(*out.upper)) return NoInterval(text::kOverflowLimits);
    return out;
}

}  // namespace

GroupMoments MomentsOf(std::span<const double> values) {
    GroupMoments m;
    m.n = static_cast<int>(values.size());
    if (values.empty()) return m;
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    if (*low == *high) {
        m.mean = *low;
        if (m.n >= 2) m.variance = 0.0;
        return m;
    }
    m.mean = wsf::Average(values);
    if (const auto sd = wsf::Stdev(values)) m.variance = numeric::Finite(*sd * *sd);
    return m;
}

MeanDifferenceInterval PooledInterval(const GroupMoments& t, const GroupMoments& r) {
    if (!HasMoments(t) || !HasMoments(r)) return NoMoments(t, r);
    const double df = t.n + r.n - 2;
    const double pooledVariance = PooledVariance(t.n, *t.variance, r.n, *r.variance);
    const double standardError = std::sqrt(pooledVariance * (1.0 / t.n + 1.0 / r.n));
    return Interval(df, standardError, t, r);
}

MeanDifferenceInterval WelchInterval(const GroupMoments& t, const GroupMoments& r) {
    if (!HasMoments(t) || !HasMoments(r)) return NoMoments(t, r);
    const double vt = *t.variance / t.n, vr = *r.variance / r.n;
    const double sum = vt + vr;
    if (!(sum > 0)) return NoInterval(text::kNoSpread);
    if (!std::isfinite(sum)) return NoInterval(text::kOverflowLimits);
    // Satterthwaite (1946), Biometrics Bull 2:110; Welch (1947), Biometrika 34:28:
    // (vt + vr)² / (vt²/(n1 − 1) + vr²/(n2 − 1)), written with the shares of
    // the sum so that no square of a very large or very small variance is formed.
    const double shareT = vt / sum, shareR = vr / sum;
    const double df = 1 / (shareT * shareT / (t.n - 1) + shareR * shareR / (r.n - 1));
    return Interval(df, std::sqrt(sum), t, r);
}

}  // namespace tavelmark::means
