#include "analyses/means/mean_difference.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <boost/math/distributions/students_t.hpp>

#include "analyses/means/extended_means_texts.h"
#include "analyses/means/pooled_variance.h"
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

MeanDifferenceInterval Interval(double df, double standardError, const GroupMoments& t,
                                const GroupMoments& r) {
    if (EssentiallyConstant(standardError, *t.mean, *r.mean)) return NoInterval(text::kNoSpread);
    MeanDifferenceInterval out;
    const double q = quantile(boost::math::students_t_distribution<double>(df), 0.975);
    const double difference = *t.mean - *r.mean;
    out.df = df;
    out.lower = difference - q * standardError;
    out.upper = difference + q * standardError;
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
    if (const auto sd = wsf::Stdev(values)) m.variance = *sd * *sd;
    return m;
}

MeanDifferenceInterval PooledInterval(const GroupMoments& t, const GroupMoments& r) {
    if (!t.variance || !r.variance) return NoInterval(text::kTooFewForSpread);
    const double df = t.n + r.n - 2;
    const double pooledVariance = PooledVariance(t.n, *t.variance, r.n, *r.variance);
    const double standardError = std::sqrt(pooledVariance * (1.0 / t.n + 1.0 / r.n));
    return Interval(df, standardError, t, r);
}

MeanDifferenceInterval WelchInterval(const GroupMoments& t, const GroupMoments& r) {
    if (!t.variance || !r.variance) return NoInterval(text::kTooFewForSpread);
    const double vt = *t.variance / t.n, vr = *r.variance / r.n;
    const double standardError = std::sqrt(vt + vr);
    // Satterthwaite (1946), Biometrics Bull 2:110; Welch (1947), Biometrika 34:28.
    const double df = (vt + vr) * (vt + vr) / (vt * vt / (t.n - 1) + vr * vr / (r.n - 1));
    if (!std::isfinite(df)) return NoInterval(text::kNoSpread);
    return Interval(df, standardError, t, r);
}

}  // namespace tavelmark::means
