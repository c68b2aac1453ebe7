#include "analyses/rates/rate_intervals.h"

#include <algorithm>
#include <cmath>

#include "numeric/finite.h"
#include "numeric/normal_quantile.h"

namespace tavelmark::rates {

using numeric::Finite;

namespace {

// Both limits of exp(log(estimate) -/+ z sqrt(variance)).
void SetLogLimits(ExtendedFigure& figure, double estimate, double variance) {
    const double half = numeric::NormalQuantile(0.975) * std::sqrt(std::max(0.0, variance));
    figure.lower = Finite(std::exp(std::log(estimate) - half));
    figure.upper = Finite(std::exp(std::log(estimate) + half));
    if (!figure.lower || !figure.upper) figure.lower = figure.upper = std::nullopt;
}

}  // namespace

// Wilson (1927), J Am Stat Assoc 22:209:
//   (2x + z^2 -/+ z sqrt(z^2 + 4x(1 - x/n))) / (2(n + z^2)).
std::optional<RateWithLimits> WilsonRate(double x, double n) {
    if (!(n > 0) || x < 0 || x > n) return std::nullopt;
    const double z = numeric::NormalQuantile(0.975);
    const double root = z * std::sqrt(z * z + 4 * x * (1 - x / n));
    const double denominator = 2 * (n + z * z);
    const double lower = (2 * x + z * z - root) / denominator;
    const double upper = (2 * x + z * z + root) / denominator;
    if (!std::isfinite(lower) || !std::isfinite(upper)) return std::nullopt;
    return RateWithLimits{x / n, std::clamp(lower, 0.0, 1.0), std::clamp(upper, 0.0, 1.0)};
}

// Newcombe (1998), Stat Med 17:873, method 10, with l, u the Wilson limits:
//   lower = d - sqrt((p2 - l2)^2 + (u1 - p1)^2), upper = d + sqrt((u2 - p2)^2 + (p1 - l1)^2).
ExtendedFigure NewcombeDifference(const RateWithLimits& r, const RateWithLimits& t) {
    ExtendedFigure figure;
    const double d = t.rate - r.rate;
    figure.estimate = d;
    figure.lower = d - std::hypot(t.rate - t.lower, r.upper - r.rate);
    figure.upper = d + std::hypot(t.upper - t.rate, r.rate - r.lower);
    return figure;
}

// Katz, Baptista, Azen & Pike (1978), Biometrics 34:469: the log of p2/p1 with
// variance 1/c - 1/n2 + 1/a - 1/n1. No 0.5 is added to a zero count.
ExtendedFigure KatzRelativeRisk(const RateTable& t) {
    ExtendedFigure figure;
    if (!(t.n1 > 0) || !(t.n2 > 0)) {
        figure.reason = "有一组例数为0, 无法计算";
        return figure;
    }
    if (t.a == 0) {
        figure.reason = "R组阳性数为0, 无法计算";
        return figure;
    }
    const double rr = (t.c / t.n2) / (t.a / t.n1);
    figure.estimate = Finite(rr);
    if (!figure.estimate) {
        figure.reason = "数值溢出, 无法计算";
        return figure;
    }
    if (t.c == 0) {
        figure.reason = "T组阳性数为0, 无法计算可信限";
        return figure;
    }
    SetLogLimits(figure, rr, 1 / t.c - 1 / t.n2 + 1 / t.a - 1 / t.n1);
    return figure;
}

// Woolf (1955), Ann Hum Genet 19:251: the log of b c / (a d) with variance
// 1/a + 1/b + 1/c + 1/d. No 0.5 is added to a zero cell.
ExtendedFigure WoolfOddsRatio(const RateTable& t) {
    ExtendedFigure figure;
    if (t.a == 0 || t.d == 0) {
        figure.reason = "R组阳性数或T组阴性数为0, 无法计算";
        return figure;
    }
    const double odds = (t.b / t.a) * (t.c / t.d);
    figure.estimate = Finite(odds);
    if (!figure.estimate) {
        figure.reason = "数值溢出, 无法计算";
        return figure;
    }
    if (t.b == 0 || t.c == 0) {
        figure.reason = "有零格, 无法计算可信限";
        return figure;
    }
    SetLogLimits(figure, odds, 1 / t.a + 1 / t.b + 1 / t.c + 1 / t.d);
    return figure;
}

// Altman (1998), BMJ 317:1309: the interval of the number needed is the
// reciprocal of the difference's limits; one that crosses 0 is written
// "NNTB 1/U to infinity to NNTH 1/|L|", with T's and R's higher rate in place
// of benefit and harm.
NumberNeeded AltmanNumberNeeded(const ExtendedFigure& difference) {
    NumberNeeded nn;
    if (!difference.estimate) {
        nn.reason = "率差无法计算";
        return nn;
    }
    const double d = *difference.estimate;
    if (d > 0) nn.kind = NumberNeededKind::THigher;
    if (d < 0) nn.kind = NumberNeededKind::RHigher;
    if (d != 0)
        nn.value = Finite(1 / std::fabs(d));
    else
        nn.reason = "两组率相等, 需治疗人数为无穷大";
    if (!difference.lower || !difference.upper) return nn;

    const double lower = *difference.lower;
    const double upper = *difference.upper;
    // A limit too close to 0 for its reciprocal to be finite reaches infinity.
    if (const auto from = Finite(1 / upper); upper > 0 && from) {
        nn.tHigher = NumberNeededRange{*from, std::nullopt};
        if (lower > 0) nn.tHigher->to = Finite(1 / lower);
    }
    if (const auto from = Finite(1 / -lower); lower < 0 && from) {
        nn.rHigher = NumberNeededRange{*from, std::nullopt};
        if (upper < 0) nn.rHigher->to = Finite(1 / -upper);
    }
    nn.crossesZero = !(lower > 0) && !(upper < 0);
    return nn;
}

}  // namespace tavelmark::rates
