#include "analyses/bliss/bliss_extended.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/normal.hpp>

#include "analyses/bliss/bliss_extended_texts.h"
#include "analyses/bliss/fieller_limits.h"
#include "analyses/bliss/ldk_calculator.h"
#include "numeric/finite.h"

namespace tavelmark::bliss {

using numeric::Finite;

namespace {

// The normal 97.5 % point itself: the extended figures follow the textbook
// formulas exactly rather than the classic report's fixed multipliers.
double Normal975() {
    static const double z = boost::math::quantile(boost::math::normal(), 0.975);
    return z;
}

// The delta-method band takes the conventional rounded multiplier.
constexpr double kBandMultiplier = 1.96;

std::vector<BinomialCount> CountsOf(const std::vector<BlissGroup>& groups) {
    std::vector<BinomialCount> counts;
    counts.reserve(groups.size());
    for (const BlissGroup& g : groups) counts.push_back({std::log10(g.dose), g.n, g.positives});
    return counts;
}

// The dose of a fitted line at `target` on the link scale, with Fieller limits.
DoseWithLimits FiellerDose(double target, const BinomialLineFit& fit) {
    const FiellerLogDose f =
        FiellerLimits(target, fit.intercept, fit.slope, fit.v00, fit.v01, fit.v11, Normal975());
    DoseWithLimits out;
    out.g = Finite(f.g);
    out.dose = Finite(std::pow(10.0, f.x));
    if (!out.dose) {
        out.reason = text::kBeyondRange;
        return out;
    }
    if (!f.lower || !f.upper) {
        out.reason = text::kFiellerUnbounded;
        return out;
    }
    const auto lower = Finite(std::pow(10.0, *f.lower));
    const auto upper = Finite(std::pow(10.0, *f.upper));
    if (!lower || !upper) {
        out.reason = text::kBeyondRange;
        return out;
    }
    out.lower = lower;
    out.upper = upper;
    return out;
}

// Pearson's X^2 = sum (d - n p)^2 / (n p (1 - p)) on k - 2 degrees of freedom
// (Finney, Probit Analysis, 3rd ed., 1971).
void PearsonFit(const std::vector<BinomialCount>& counts, const BinomialLineFit& fit,
                MlModelFigures& figures) {
    double chi2 = 0;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        const double expected = counts[i].n * fit.fitted[i];
        const double residual = counts[i].positives - expected;
        const double variance = expected * (1 - fit.fitted[i]);
        // A group fitted at a rate of exactly 0 or 1 in double precision adds
        // nothing when it was observed so (the term tends to 0 with the
        // variance); otherwise the model cannot have given it.
        if (variance == 0) {
            if (residual != 0) chi2 = std::numeric_limits<double>::infinity();
            continue;
        }
        chi2 += residual * residual / variance;
    }
    figures.pearsonChi2 = chi2;
    figures.df = static_cast<int>(counts.size()) - 2;
    if (!std::isfinite(chi2)) return;  // the caller names the reason
    if (figures.df < 1) {
        figures.pearsonPReason = text::kNoDegreesOfFreedom;
        return;
    }
    const boost::math::chi_squared distribution(figures.df);
    figures.pearsonP = Finite(boost::math::cdf(boost::math::complement(distribution, chi2)));
}

// A model's figures and the line they came from, which the lethal-dose table
// and the band go on to use.
struct FittedModel {
    MlModel model;
    std::optional<BinomialLineFit> line;
};

FittedModel FitModel(const std::vector<BinomialCount>& counts, ResponseLink link) {
    FittedModel out;
    MlModel& model = out.model;
    model.link = link;
    if (SingleDose(counts)) {
        model.reason = text::kSingleDoseData;
        return out;
    }
    if (CountsSeparated(counts)) {
        model.reason = text::kSeparatedData;
        return out;
    }
    const auto fit = FitBinomialLine(counts, link);
    if (!fit) {
        model.reason = text::kFitNotSettled;
        return out;
    }
    MlModelFigures figures;
    figures.intercept = fit->intercept;
    figures.slope = fit->slope;
    figures.slopeSE = std::sqrt(fit->v11);
    figures.ld50 = FiellerDose(LinkOfProbability(link, 0.5), *fit);
    figures.deviance = fit->deviance;
    PearsonFit(counts, *fit, figures);
    if (!std::isfinite(figures.pearsonChi2)) {
        model.reason = text::kBeyondRange;
        return out;
    }
    // Akaike's criterion with the two coefficients of the line.
    figures.aic = -2 * fit->logLikelihood + 2 * 2;
    model.figures = figures;
    out.line = fit;
    return out;
}

DoseWithLimits ClassicLDk(const std::optional<BlissFit>& classic, double percent) {
    DoseWithLimits out;
    if (!classic) {
        out.reason = text::kNoClassicFit;
        return out;
    }
    const auto v = ComputeLDk(classic->handOver(), percent);
    if (!v) {
        out.reason = text::kClassicLDkNone;
        return out;
    }
    out.dose = v->LDk;
    out.lower = v->lower;
    out.upper = v->upper;
    return out;
}

// Log doses of the band: every distinct one and the midpoint of each
// neighbouring pair, rising.
std::vector<double> BandLogDoses(const std::vector<BinomialCount>& counts) {
    std::vector<double> x;
    for (const BinomialCount& c : counts) x.push_back(c.x);
    std::sort(x.begin(), x.end());
    x.erase(std::unique(x.begin(), x.end()), x.end());
    std::vector<double> points;
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (i > 0) points.push_back((x[i - 1] + x[i]) / 2);
        points.push_back(x[i]);
    }
    return points;
}

// The probit curve with a pointwise band by the delta method on the linear
// predictor: eta -/+ 1.96 se(eta), se^2 = V00 + 2 x V01 + x^2 V11, mapped
// through the normal distribution (Collett, Modelling Binary Data, 2nd ed.,
// 2003).
std::vector<ProbitBandPoint> ProbitBand(const std::vector<BinomialCount>& counts,
                                        const BinomialLineFit& fit) {
    std::vector<ProbitBandPoint> band;
    for (double x : BandLogDoses(counts)) {
        ProbitBandPoint p;
        p.dose = std::pow(10.0, x);
        p.eta = fit.intercept + fit.slope * x;
        // Rounding can push a variance of nearly 0 just below it.
        p.etaSE = std::sqrt(std::max(0.0, fit.v00 + 2 * x * fit.v01 + x * x * fit.v11));
        p.fitted = ResponseProbability(ResponseLink::Probit, p.eta);
        p.lower = ResponseProbability(ResponseLink::Probit, p.eta - kBandMultiplier * p.etaSE);
        p.upper = ResponseProbability(ResponseLink::Probit, p.eta + kBandMultiplier * p.etaSE);
        band.push_back(p);
    }
    return band;
}

}  // namespace

BlissExtended ComputeBlissExtended(const std::vector<BlissGroup>& groups, double c,
                                   const std::optional<BlissFit>& classic) {
    BlissExtended out;
    out.backgroundLeftOut = c > 0;
    for (const BlissGroup& g : groups) out.observed.push_back({g.dose, g.rate});

    const std::vector<BinomialCount> counts = CountsOf(groups);
    const FittedModel probit = FitModel(counts, ResponseLink::Probit);
    out.probit = probit.model;
    out.logit = FitModel(counts, ResponseLink::Logit).model;

    const std::optional<BinomialLineFit>& probitLine = probit.line;
    for (double percent : kCommonLDkPercents) {
        CommonLDk row;
        row.percent = percent;
        row.classic = ClassicLDk(classic, percent);
        if (probitLine) {
            row.fieller =
                FiellerDose(LinkOfProbability(ResponseLink::Probit, percent / 100), *probitLine);
        } else {
            row.fieller.reason = out.probit.reason;
        }
        out.ldk.push_back(row);
    }
    if (probitLine) out.band = ProbitBand(counts, *probitLine);
    return out;
}

}  // namespace tavelmark::bliss
