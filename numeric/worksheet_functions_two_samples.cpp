// Worksheet functions over two ranges: TTEST, SLOPE and INTERCEPT.
#include "numeric/worksheet_functions.h"

#include <cmath>
#include <vector>

#include <boost/math/distributions/students_t.hpp>

#include "numeric/finite.h"
#include "numeric/worksheet_functions_detail.h"

namespace tavelmark::numeric::wsf {

using detail::AllFinite;
using detail::MeanOf;
using detail::SquaredDeviations;

namespace {

// TTEST reports the tail beyond |t|: one tail never exceeds 0.5, two tails
// are twice one.
std::optional<double> TailBeyond(double t, double df, int tails) {
    if (!std::isfinite(t) || !(df > 0.0)) return std::nullopt;
    const boost::math::students_t_distribution<double, detail::Policy> dist(df);
    return Finite(tails * cdf(complement(dist, std::fabs(t))));
}

// Paired: one-sample t of the differences, n - 1 degrees of freedom.
std::optional<double> PairedTtest(Values a, Values b, int tails) {
    if (a.size() != b.size() || a.size() < 2) return std::nullopt;
    std::vector<double> d(a.size());
    for (std::size_t i = 0; i < a.size(); ++i) d[i] = a[i] - b[i];
    const double n = static_cast<double>(d.size());
    const double mean = MeanOf(d);
    const double se = std::sqrt(SquaredDeviations(d, mean) / (n - 1.0) / n);
    if (!(se > 0.0)) return std::nullopt;
    return TailBeyond(mean / se, n - 1.0, tails);
}

// Equal variances: pooled variance on n1 + n2 - 2 degrees of freedom.
std::optional<double> PooledTtest(Values a, Values b, int tails) {
    if (a.empty() || b.empty() || a.size() + b.size() < 3) return std::nullopt;
    const double n1 = static_cast<double>(a.size());
    const double n2 = static_cast<double>(b.size());
    const double m1 = MeanOf(a);
    const double m2 = MeanOf(b);
    const double df = n1 + n2 - 2.0;
    const double pooled = (SquaredDeviations(a, m1) + SquaredDeviations(b, m2)) / df;
    const double se = std::sqrt(pooled * (1.0 / n1 + 1.0 / n2));
    if (!(se > 0.0)) return std::nullopt;
    return TailBeyond((m1 - m2) / se, df, tails);
}

// Unequal variances (Welch). Degrees of freedom by Welch-Satterthwaite,
//   df = (v1/n1 + v2/n2)^2 / ((v1/n1)^2/(n1 - 1) + (v2/n2)^2/(n2 - 1)),
// used as the fractional number it is. The spreadsheet documents truncation
// of fractional degrees of freedom only for the arguments of TDIST, TINV,
// CHIDIST and FINV; for TTEST it documents truncation of tails and type and
// nothing about its internal df, so we take the Student t with the unrounded
// df (the textbook Welch test). The two-group means analysis truncates its
// own corrected df before it calls TDIST, which is where truncation belongs.
std::optional<double> WelchTtest(Values a, Values b, int tails) {
    if (a.size() < 2 || b.size() < 2) return std::nullopt;
    const double n1 = static_cast<double>(a.size());
    const double n2 = static_cast<double>(b.size());
    const double m1 = MeanOf(a);
    const double m2 = MeanOf(b);
    const double q1 = SquaredDeviations(a, m1) / (n1 - 1.0) / n1;  // v1 / n1
    const double q2 = SquaredDeviations(b, m2) / (n2 - 1.0) / n2;  // v2 / n2
    const double se2 = q1 + q2;
    if (!(se2 > 0.0)) return std::nullopt;
    const double df = se2 * se2 / (q1 * q1 / (n1 - 1.0) + q2 * q2 / (n2 - 1.0));
    return TailBeyond((m1 - m2) / std::sqrt(se2), df, tails);
}

struct LineFit {
    double slope;
    double intercept;
};

// Ordinary least squares of y on x; empty for unequal lengths and for x
// without spread (the spreadsheet's #N/A and #DIV/0!).
std::optional<LineFit> FitLine(Values y, Values x) {
    if (y.size() != x.size() || x.empty() || !AllFinite(x) || !AllFinite(y)) return std::nullopt;
    const double mx = MeanOf(x);
    const double my = MeanOf(y);
    double sxy = 0.0;
    for (std::size_t i = 0; i < x.size(); ++i) sxy += (x[i] - mx) * (y[i] - my);
    const double sxx = SquaredDeviations(x, mx);
    if (!(sxx > 0.0)) return std::nullopt;
    const double slope = sxy / sxx;
    return LineFit{slope, my - slope * mx};
}

}  // namespace

std::optional<double> Ttest(Values a, Values b, int tails, int type) {
    if (tails != 1 && tails != 2) return std::nullopt;
    if (!AllFinite(a) || !AllFinite(b)) return std::nullopt;
    switch (type) {
        case 1: return PairedTtest(a, b, tails);
        case 2: return PooledTtest(a, b, tails);
        case 3: return WelchTtest(a, b, tails);
        default: return std::nullopt;
    }
}

std::optional<double> Slope(Values y, Values x) {
    const auto fit = FitLine(y, x);
    if (!fit) return std::nullopt;
    return Finite(fit->slope);
}

std::optional<double> Intercept(Values y, Values x) {
    const auto fit = FitLine(y, x);
    if (!fit) return std::nullopt;
    return Finite(fit->intercept);
}

}  // namespace tavelmark::numeric::wsf
