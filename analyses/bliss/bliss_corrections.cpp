#include "analyses/bliss/bliss_corrections.h"

#include <cmath>

#include "numeric/normal_quantile.h"
#include "numeric/worksheet_functions.h"

namespace tavelmark::bliss {
namespace {

// Limits 10^(centre -/+ halfWidth) with their mean half-width and its ratio
// to LD50; empty when a power of ten overflows.
std::optional<BlissLimits> LimitsAround(double centre, double halfWidth, double LD50, double sx50) {
    BlissLimits l;
    l.lower = std::pow(10.0, centre - halfWidth);
    l.upper = std::pow(10.0, centre + halfWidth);
    l.ml95 = (l.upper - l.lower) / 2;
    l.l95Percent = l.ml95 / LD50;
    l.sx50 = sx50;
    for (double v : {l.lower, l.upper, l.ml95, l.l95Percent, l.sx50})
        if (!std::isfinite(v)) return std::nullopt;
    return l;
}

}  // namespace

// Fieller's theorem for the ratio (5 - a) / b, as set out in Finney,
// Probit Analysis (3rd ed.). The half-width takes |b| so that a falling line still gets
// lower < upper and a positive standard error.
std::optional<BlissLimits> ClassicFiellerLimits(const BlissFit& fit) {
    const double g = fit.g;
    if (!(g < 1)) return std::nullopt;
    const double dx = fit.X50 - fit.xMean;
    const double centre = fit.X50 + g * dx / (1 - g);
    const double halfWidth = (numeric::kNormal95Multiplier / std::fabs(fit.b)) / (1 - g) *
                             std::sqrt((1 - g) / fit.S0 + dx * dx / fit.Sxx);
    return LimitsAround(centre, halfWidth, fit.LD50, halfWidth / numeric::kNormal95Multiplier);
}

// The heterogeneity factor h = chi2 / df scales the variances and Student's t
// replaces the normal point (Finney, Probit Analysis). gH is held at 0.9
// at most so the interval always exists.
void ApplyHeterogeneityCorrection(BlissFit& fit) {
    fit.t = numeric::wsf::Tinv(0.05, fit.df);
    if (!fit.t || fit.df < 1) return;
    const double t = *fit.t;
    const double h = fit.chi2 / fit.df;
    const double SbH = std::sqrt(h / fit.Sxx);
    double gH = std::pow(t * SbH / fit.b, 2);
    if (gH > 0.9) gH = 0.9;
    if (!std::isfinite(SbH) || !std::isfinite(gH)) return;
    fit.SbH = SbH;
    fit.gH = gH;
    const double dx = fit.X50 - fit.xMean;
    const double centre = fit.X50 + gH * dx / (1 - gH);
    const double sH = std::sqrt(h * ((1 - gH) / fit.S0 + dx * dx / fit.Sxx)) *
                      (1 / std::fabs(fit.b)) / (1 - gH);
    fit.heterogeneity = LimitsAround(centre, t * sH, fit.LD50, sH);
}

}  // namespace tavelmark::bliss
