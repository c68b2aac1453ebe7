#include "analyses/bliss/bliss_fit.h"

#include <algorithm>
#include <cmath>

#include "analyses/bliss/bliss_corrections.h"
#include "analyses/bliss/bliss_messages.h"
#include "analyses/bliss/probit.h"
#include "format/number_text.h"
#include "numeric/log10.h"
#include "numeric/normal_quantile.h"
#include "numeric/worksheet_functions.h"

namespace tavelmark::bliss {

namespace wsf = numeric::wsf;
using numeric::Log10;

namespace {

bool AllFinite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

BlissFitOutcome Failure(const char* text) { return {std::nullopt, text}; }

// One weighted least-squares round on the working probits at the current Y;
// returns false when the weights leave no line to fit.
bool FitRound(const std::vector<BlissGroup>& groups, BlissFit& fit) {
    double S0 = 0, S1 = 0, S2 = 0, S3 = 0, S4 = 0, S5 = 0;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        BlissGroupFit& r = fit.groups[i];
        const WorkingProbitValues wp = WorkingProbit(r.Y, r.P);
        r.w = wp.w;
        r.y = wp.y;
        r.W = groups[i].n * wp.w;
        S0 += r.W;
        S1 += r.W * r.x;
        S2 += r.W * r.x * r.x;
        S3 += r.W * r.x * r.y;
        S4 += r.W * r.y;
        S5 += r.W * r.y * r.y;
    }
    if (!AllFinite({S0, S1, S2, S3, S4, S5}) || S0 <= 0) return false;
    const double Sxx = S2 - S1 * S1 / S0;
    if (!(Sxx > 0)) return false;
    fit.S0 = S0, fit.S1 = S1, fit.S2 = S2, fit.S3 = S3, fit.S4 = S4, fit.S5 = S5;
    fit.b = (S3 - S1 * S4 / S0) / Sxx;
    fit.a = (S4 - fit.b * S1) / S0;
    for (BlissGroupFit& r : fit.groups) {
        r.Yr = fit.a + r.x * fit.b;
        r.e = r.Yr - r.Y;
    }
    return AllFinite({fit.a, fit.b});
}

}  // namespace

std::string BlissEquationText(double a, double b) {
    return format::R4(a) + (b > 0 ? " + " : "") + format::R4(b) + "×Log(D)";
}

BlissFitOutcome FitBliss(const std::vector<BlissGroup>& groups, double c) {
    if (groups.size() < 3) return Failure(text::kTooFewGroups);
    BlissFit fit;
    fit.groups.resize(groups.size());
    std::vector<double> xs, empirical;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        BlissGroupFit& r = fit.groups[i];
        r.x = Log10(groups[i].dose);
        r.P = (groups[i].rate - c) / (1 - c);
        r.Ye = GroupEmpiricalProbit(r.P, groups[i].n);
        xs.push_back(r.x);
        empirical.push_back(r.Ye);
    }

    // Provisional line: unweighted least squares of the empirical probits.
    const auto a0 = wsf::Intercept(empirical, xs);
    const auto b0 = wsf::Slope(empirical, xs);
    if (!a0 || !b0) return Failure(text::kEqualDoses);
    for (BlissGroupFit& r : fit.groups) r.Y = r.x * *b0 + *a0;

    for (;;) {
        ++fit.iterations;
        if (!FitRound(groups, fit)) return Failure(text::kNumericBreakdown);
        double largest = 0;
        for (const BlissGroupFit& r : fit.groups) largest = std::max(largest, std::fabs(r.e));
        if (largest < kBlissConvergence) break;
        if (fit.iterations >= kBlissMaxIterations) return Failure(text::kNotConverged);
        for (BlissGroupFit& r : fit.groups) r.Y = r.Yr;
    }

    if (fit.b == 0) return Failure(text::kZeroSlope);
    fit.xMean = fit.S1 / fit.S0;
    fit.yMean = fit.S4 / fit.S0;
    fit.Sxx = fit.S2 - fit.S1 * fit.S1 / fit.S0;
    fit.Syy = fit.S5 - fit.S4 * fit.S4 / fit.S0;
    fit.X50 = (5 - fit.a) / fit.b;
    fit.LD50 = std::pow(10.0, fit.X50);
    const double b2 = fit.b * fit.b;
    fit.Sx50 = std::sqrt(b2 / fit.S0 + (5 - fit.yMean) * (5 - fit.yMean) / fit.Sxx) / b2;
    fit.Sb = std::sqrt(1 / fit.Sxx);
    fit.g = std::pow(numeric::kNormal95Multiplier * fit.Sb / fit.b, 2);
    fit.limits.sx50 = fit.Sx50;
    fit.limits.lower = std::pow(10.0, fit.X50 - numeric::kNormal95TwoDecimals * fit.Sx50);
    fit.limits.upper = std::pow(10.0, fit.X50 + numeric::kNormal95TwoDecimals * fit.Sx50);
    fit.limits.ml95 = (fit.limits.upper - fit.limits.lower) / 2;
    fit.limits.l95Percent = fit.limits.ml95 / fit.LD50;
    fit.equation = BlissEquationText(fit.a, fit.b);
    if (!AllFinite({fit.X50, fit.LD50, fit.Sx50, fit.Sb, fit.g, fit.limits.lower,
                    fit.limits.upper, fit.limits.ml95, fit.limits.l95Percent}) ||
        fit.LD50 <= 0)
        return Failure(text::kNumericBreakdown);

    // The residual sum of squares cannot be negative; a tiny negative value
    // is rounding in Syy - b^2 Sxx of a line that fits (almost) exactly.
    fit.chi2 = std::max(0.0, fit.Syy - b2 * fit.Sxx);
    fit.df = static_cast<int>(groups.size()) - 2;
    fit.Pchi = wsf::Chidist(fit.chi2, fit.df);

    fit.fieller = ClassicFiellerLimits(fit);
    ApplyHeterogeneityCorrection(fit);
    return {std::move(fit), {}};
}

}  // namespace tavelmark::bliss
