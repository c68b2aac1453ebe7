#include "analyses/potency/potency_estimates.h"

#include <cmath>

#include <boost/math/distributions/normal.hpp>

#include "analyses/potency/potency_texts.h"
#include "numeric/fieller_ratio.h"
#include "numeric/finite.h"

namespace tavelmark::potency {

using numeric::Finite;

namespace {

// 10^m with its limits, or why not.
Interval PowerOfTen(const numeric::FiellerRatio& f) {
    Interval out;
    out.g = Finite(f.g);
    out.estimate = Finite(std::pow(10.0, f.m));
    if (!out.estimate) {
        out.reason = text::kBeyondRange;
        return out;
    }
    if (!f.lower || !f.upper) {
        out.reason = text::kGAboveOne;
        return out;
    }
    out.lower = Finite(std::pow(10.0, *f.lower));
    out.upper = Finite(std::pow(10.0, *f.upper));
    if (!out.lower || !out.upper) {
        out.lower = out.upper = std::nullopt;
        out.reason = text::kBeyondRange;
    }
    return out;
}

double Multiplier(const FittedLines& fit) { return fit.quality.multiplier; }

}  // namespace

std::vector<std::pair<int, int>> PreparationPairs(int count, int reference) {
    std::vector<std::pair<int, int>> pairs;
    for (int j = 0; j < count; ++j)
        if (j != reference) pairs.emplace_back(reference, j);
    for (int i = 0; i < count; ++i)
        for (int j = i + 1; j < count; ++j)
            if (i != reference && j != reference) pairs.emplace_back(i, j);
    return pairs;
}

Interval FiellerDose(numeric::QuantalLink link, double percent, double a, double b, double vaa, double vab,
                     double vbb, double t) {
    const double q = numeric::QuantalLinkOf(link, percent / 100);
    // x = (q - a) / b: the numerator's variance is V_aa, its covariance with b -V_ab.
    return PowerOfTen(numeric::FiellerRatioLimits(q - a, b, vaa, vbb, -vab, t));
}

Interval ParallelLDk(const FittedLines& parallel, int j, double percent, numeric::QuantalLink link) {
    if (!parallel.fit) return Interval{{}, {}, {}, {}, parallel.reason};
    const std::vector<double>& c = parallel.fit->coefficients;
    const int slope = static_cast<int>(c.size()) - 1;
    const numeric::SquareMatrix& V = parallel.covariance;
    return FiellerDose(link, percent, c[j], c[slope], V(j, j), V(j, slope), V(slope, slope), Multiplier(parallel));
}

PotencyRatio RelativePotency(const FittedLines& parallel, int i, int j) {
    PotencyRatio out;
    out.first = i;
    out.second = j;
    if (!parallel.fit) {
        out.ratio.reason = parallel.reason;
        return out;
    }
    const std::vector<double>& c = parallel.fit->coefficients;
    const int s = static_cast<int>(c.size()) - 1;
    const numeric::SquareMatrix& V = parallel.covariance;
    const numeric::FiellerRatio f = numeric::FiellerRatioLimits(
        c[j] - c[i], c[s], V(i, i) + V(j, j) - 2 * V(i, j), V(s, s), V(j, s) - V(i, s), Multiplier(parallel));
    out.m = f.m;
    out.ratio = PowerOfTen(f);
    return out;
}

RatioTest LDkRatioTest(const PreparationLine& first, const PreparationLine& second, int i, int j, double percent,
                       numeric::QuantalLink link) {
    RatioTest out;
    out.first = i;
    out.second = j;
    out.percent = percent;
    if (!first.fitted() || !second.fitted()) {
        out.ratio.reason = text::kLineMissing;
        return out;
    }
    const double q = numeric::QuantalLinkOf(link, percent / 100);
    // The log dose of a line at q with its variance by the delta method.
    const auto at = [&](const PreparationLine& line, bool scaled, double& x) {
        x = (q - line.a) / line.b;
        const double h = scaled && line.quality.heterogeneity ? line.quality.heterogeneity->h : 1.0;
        return h * (line.vaa + 2 * x * line.vab + x * x * line.vbb) / (line.b * line.b);
    };
    double xi = 0, xj = 0;
    const double vi = at(first, true, xi), vj = at(second, true, xj);
    out.logRatio = xi - xj;
    out.se = std::sqrt(vi + vj);
    out.seUnscaled = std::sqrt(at(first, false, xi) + at(second, false, xj));
    const double z975 = NormalQuantile975();
    out.ratio.estimate = Finite(std::pow(10.0, out.logRatio));
    if (!out.ratio.estimate || !(out.se > 0) || !std::isfinite(out.se)) {
        out.ratio.estimate = std::nullopt;
        out.ratio.reason = text::kBeyondRange;
        return out;
    }
    out.ratio.lower = Finite(std::pow(10.0, out.logRatio - z975 * out.se));
    out.ratio.upper = Finite(std::pow(10.0, out.logRatio + z975 * out.se));
    if (!out.ratio.lower || !out.ratio.upper) {
        out.ratio.lower = out.ratio.upper = std::nullopt;
        out.ratio.reason = text::kBeyondRange;
    }
    out.z = out.logRatio / out.se;
    out.p = 2 * boost::math::cdf(boost::math::complement(boost::math::normal(), std::fabs(*out.z)));
    return out;
}

}  // namespace tavelmark::potency
