#include "analyses/bliss/bliss_extended.h"

#include <algorithm>
#include <cmath>

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/students_t.hpp>

#include "analyses/bliss/bliss_extended_texts.h"
#include "analyses/bliss/fieller_limits.h"
#include "analyses/bliss/ldk_calculator.h"
#include "numeric/finite.h"
#include "numeric/normal_quantile.h"
#include "numeric/log10.h"

namespace tavelmark::bliss {

using numeric::Finite;

namespace {

// The normal 97.5 % point itself: the extended figures follow the textbook
// formulas exactly rather than the classic report's fixed multipliers.
double Normal975() {
    static const double z = numeric::NormalQuantile(0.975);
    return z;
}

// Finney's rule for applying the heterogeneity factor (Probit Analysis, 3rd
// ed., 1971, sec. 4.4).
constexpr double kHeterogeneityP = 0.15;

std::vector<BinomialCount> CountsOf(const std::vector<BlissGroup>& groups) {
    std::vector<BinomialCount> counts;
    counts.reserve(groups.size());
    for (const BlissGroup& g : groups) counts.push_back({numeric::Log10(g.dose), g.n, g.positives});
    return counts;
}

// A fitted line with the covariance its limits use: the fit's own, or
// multiplied by h with Student's t as the multiplier.
struct LimitLine {
    BinomialLineFit fit;
    double v00 = 0, v01 = 0, v11 = 0;
    double multiplier = 0;
    std::optional<Heterogeneity> heterogeneity;
};

// The dose of a fitted line at `target` on the link scale, with Fieller limits.
DoseWithLimits FiellerDose(double target, const LimitLine& line) {
    const BinomialLineFit& fit = line.fit;
    const FiellerLogDose f = FiellerLimitsFromCovariance(target, fit.intercept, fit.slope, line.v00,
                                                         line.v01, line.v11, line.multiplier);
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

// Pearson's X^2 on k - 2 degrees of freedom, its P, and whether it calls
// for the heterogeneity factor.
void PearsonFit(const BinomialLineFit& fit, int groups, MlModelFigures& figures) {
    figures.pearsonChi2 = fit.pearsonChi2;
    figures.df = groups - 2;
    if (!std::isfinite(fit.pearsonChi2)) return;  // the caller names the reason
    if (figures.df < 1) {
        figures.pearsonPReason = text::kNoDegreesOfFreedom;
        return;
    }
    const boost::math::chi_squared distribution(figures.df);
    figures.pearsonP = Finite(boost::math::cdf(boost::math::complement(distribution, fit.pearsonChi2)));
    if (figures.pearsonP && *figures.pearsonP < kHeterogeneityP) {
        const boost::math::students_t t(figures.df);
        figures.heterogeneity =
            Heterogeneity{fit.pearsonChi2 / figures.df, figures.df, boost::math::quantile(t, 0.975)};
    }
}

LimitLine LimitLineOf(const BinomialLineFit& fit, const std::optional<Heterogeneity>& heterogeneity) {
    const double h = heterogeneity ? heterogeneity->h : 1.0;
    return LimitLine{fit, h * fit.v00, h * fit.v01, h * fit.v11,
                     heterogeneity ? heterogeneity->t : Normal975(), heterogeneity};
}

// A model's figures and the line they came from, which the lethal-dose table
// and the band go on to use.
struct FittedModel {
    MlModel model;
    std::optional<LimitLine> line;
    bool separated = false;
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
        out.separated = true;
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
    figures.deviance = fit->deviance;
    PearsonFit(*fit, static_cast<int>(counts.size()), figures);
    if (!std::isfinite(figures.pearsonChi2)) {
        model.reason = text::kBeyondRange;
        return out;
    }
    const LimitLine line = LimitLineOf(*fit, figures.heterogeneity);
    figures.slopeSE = std::sqrt(line.v11);
    figures.ld50 = FiellerDose(LinkOfProbability(link, 0.5), line);
    // Akaike's criterion with the two coefficients of the line.
    figures.aic = -2 * fit->logLikelihood + 2 * 2;
    model.figures = figures;
    out.line = line;
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
// predictor: eta -/+ m se(eta), se^2 = V00 + 2 x V01 + x^2 V11, mapped
// through the normal distribution (Collett, Modelling Binary Data, 2nd ed.,
// 2003); m = 1.96, or Student's t with V scaled under heterogeneity.
std::vector<ProbitBandPoint> ProbitBand(const std::vector<BinomialCount>& counts, const LimitLine& line,
                                        double multiplier) {
    const BinomialLineFit& fit = line.fit;
    std::vector<ProbitBandPoint> band;
    for (double x : BandLogDoses(counts)) {
        ProbitBandPoint p;
        p.dose = std::pow(10.0, x);
        p.eta = fit.intercept + fit.slope * x;
        // Rounding can push a variance of nearly 0 just below it.
        p.etaSE = std::sqrt(std::max(0.0, line.v00 + 2 * x * line.v01 + x * x * line.v11));
        p.fitted = ResponseProbability(ResponseLink::Probit, p.eta);
        p.lower = ResponseProbability(ResponseLink::Probit, p.eta - multiplier * p.etaSE);
        p.upper = ResponseProbability(ResponseLink::Probit, p.eta + multiplier * p.etaSE);
        band.push_back(p);
    }
    return band;
}

// The classic limits beside a maximum-likelihood line whose own say that no
// interval can be trusted.
std::string ClassicWarning(const FittedModel& probit) {
    if (probit.separated) return text::kClassicUnreliableSeparated;
    if (probit.model.figures && probit.model.figures->ld50.g && *probit.model.figures->ld50.g >= 1)
        return text::kClassicUnreliableG;
    return {};
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

    const std::optional<LimitLine>& probitLine = probit.line;
    const std::string warning = ClassicWarning(probit);
    for (double percent : kCommonLDkPercents) {
        CommonLDk row;
        row.percent = percent;
        row.classic = ClassicLDk(classic, percent);
        if (row.classic.dose) row.classic.note = warning;
        if (probitLine) {
            row.fieller =
                FiellerDose(LinkOfProbability(ResponseLink::Probit, percent / 100), *probitLine);
        } else {
            row.fieller.reason = out.probit.reason;
        }
        out.ldk.push_back(row);
    }
    if (probitLine) {
        out.bandMultiplier = probitLine->heterogeneity ? probitLine->multiplier : numeric::kNormal95TwoDecimals;
        out.band = ProbitBand(counts, *probitLine, out.bandMultiplier);
    }
    return out;
}

}  // namespace tavelmark::bliss
