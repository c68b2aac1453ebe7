#include "analyses/potency/potency_extended.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include <boost/math/distributions/chi_squared.hpp>

#include "analyses/potency/potency_compute.h"
#include "analyses/potency/potency_texts.h"
#include "numeric/brent_root.h"
#include "numeric/finite.h"

namespace tavelmark::potency {

using numeric::Finite;

namespace {

constexpr double kProfileTolerance = 1e-10;

RatioLimits PowersOfTen(double low, double high) {
    RatioLimits out;
    out.lower = Finite(std::pow(10.0, low));
    out.upper = Finite(std::pow(10.0, high));
    if (!out.lower || !out.upper) {
        out.lower = out.upper = std::nullopt;
        out.reason = text::kBeyondRange;
    }
    return out;
}

// m -/+ t SE(m), SE(m)^2 = (v11 - 2 m v12 + m^2 v22) / beta^2: the delta
// method on m = (alpha_j - alpha_i) / beta.
RatioLimits DeltaLimits(const FittedLines& parallel, const PotencyRatio& p) {
    if (!parallel.fit) return {std::nullopt, std::nullopt, parallel.reason};
    const std::vector<double>& c = parallel.fit->coefficients;
    const int s = static_cast<int>(c.size()) - 1, i = p.first, j = p.second;
    const numeric::SquareMatrix& V = parallel.covariance;
    const double v11 = V(i, i) + V(j, j) - 2 * V(i, j), v12 = V(j, s) - V(i, s), v22 = V(s, s);
    const double se = std::sqrt(std::max(0.0, v11 - 2 * p.m * v12 + p.m * p.m * v22)) / std::fabs(c[s]);
    const double t = parallel.quality.multiplier;
    return PowersOfTen(p.m - t * se, p.m + t * se);
}

// The m at which the deviance of the parallel lines tied to m exceeds its
// minimum by t^2 h (the likelihood-ratio form of the interval; z^2 = the
// chi-square's 95 % point without heterogeneity).
RatioLimits ProfileLimits(const PotencyResults& r, const PotencyRatio& p, const RatioLimits& delta) {
    if (!r.parallel.fit) return {std::nullopt, std::nullopt, r.parallel.reason};
    std::vector<int> all(r.data.preparations.size());
    std::iota(all.begin(), all.end(), 0);
    const GoodnessOfFit& q = r.parallel.quality;
    const double h = q.heterogeneity ? q.heterogeneity->h : 1.0;
    const double rise = q.multiplier * q.multiplier * h;
    const double minimum = q.deviance;
    // Each tied fit starts from the parallel lines' estimate less the tied intercept.
    std::vector<double> start = r.parallel.fit->coefficients;
    start.erase(start.begin() + p.second);
    const auto excess = [&](double m) {
        LinesModel tied = BuildLinesModel(r.data, all, LineShape::Parallel, r.link, r.blocks, TiedPotency{p.first, p.second, m});
        tied.model.start = start;
        const numeric::QuantalOutcome outcome = numeric::FitQuantal(tied.model);
        return outcome.fit ? outcome.fit->deviance - minimum - rise : std::nan("");
    };
    // Brackets from the delta limits' width, widened until the deviance has risen enough.
    double width = delta.lower && delta.upper ? std::log10(*delta.upper / *delta.lower) / 2 : 0.5;
    width = std::max(width, 1e-3);
    const auto side = [&](double direction) -> std::optional<double> {
        double step = width;
        for (int widening = 0; widening < 12; ++widening, step *= 2) {
            const double far = p.m + direction * step;
            const double value = excess(far);
            if (!std::isfinite(value)) return std::nullopt;
            if (value > 0) return numeric::BrentRoot(excess, p.m, far, kProfileTolerance);
        }
        return std::nullopt;
    };
    const auto low = side(-1), high = side(+1);
    if (!low || !high) return {std::nullopt, std::nullopt, "剖面似然在搜索范围内未达到临界值,可信限无法确定"};
    return PowersOfTen(*low, *high);
}

}  // namespace

PotencyExtended ComputePotencyExtended(const PotencyResults& r, const PotencyOptions& options) {
    PotencyExtended out;
    PotencyOptions other = options;
    other.link = options.link == numeric::QuantalLink::Probit ? numeric::QuantalLink::Logit : numeric::QuantalLink::Probit;
    out.otherLink = ComputePotency(r.data, other);

    for (const PotencyRatio& p : r.potency) {
        out.delta.push_back(DeltaLimits(r.parallel, p));
        out.profile.push_back(ProfileLimits(r, p, out.delta.back()));
    }

    if (r.parallel.fit && r.separate.fit) {
        const int df = static_cast<int>(r.data.preparations.size()) - 1;
        out.pearsonDifference = r.parallel.quality.pearson - r.separate.quality.pearson;
        if (*out.pearsonDifference >= 0)
            out.pearsonDifferenceP = boost::math::cdf(
                boost::math::complement(boost::math::chi_squared(df), *out.pearsonDifference));
        else
            out.pearsonDifferenceReason = "差值为负,无χ²分布的P";
    } else {
        out.pearsonDifferenceReason = r.separate.fit ? r.parallel.reason : r.separate.reason;
    }

    const double z = NormalQuantile975();
    for (const RatioTest& t : r.ratioTests) {
        if (!t.ratio.estimate) {
            out.unscaledRatio.push_back({std::nullopt, std::nullopt, t.ratio.reason});
            continue;
        }
        out.unscaledRatio.push_back(PowersOfTen(t.logRatio - z * t.seUnscaled, t.logRatio + z * t.seUnscaled));
    }
    return out;
}

}  // namespace tavelmark::potency
