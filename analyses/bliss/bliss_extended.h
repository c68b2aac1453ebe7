#pragma once
// The extended results of a Bliss calculation: maximum-likelihood probit and
// logit fits of the counts as typed, the 13 common lethal doses with the
// classic and the Fieller limits, and what a dose-response chart needs (the
// observed rates and the fitted probit curve with its 95 % band).
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "analyses/bliss/binomial_line_fit.h"
#include "analyses/bliss/bliss_types.h"
#include "numeric/normal_quantile.h"

namespace tavelmark::bliss {

inline constexpr std::array<double, 13> kCommonLDkPercents = {1,  5,  10, 16, 20, 25, 50,
                                                               75, 80, 84, 90, 95, 99};

// A dose with its 95 % limits. What is missing says why in `reason`; `note`
// qualifies figures that are there.
struct DoseWithLimits {
    std::optional<double> dose;
    std::optional<double> lower, upper;  // both or neither, only beside a dose
    std::optional<double> g;             // Fieller's index, for Fieller limits
    std::string reason;
    std::string note;
};

// Finney's heterogeneity factor, applied when the Pearson chi-square of a
// fit has P < 0.15: the covariance is multiplied by h = chi2 / df and the
// limits take Student's t on df degrees of freedom instead of the normal z.
struct Heterogeneity {
    double h = 1;
    int df = 0;
    double t = 0;
};

struct MlModelFigures {
    double intercept = 0;  // of the line in log10 dose
    double slope = 0;
    double slopeSE = 0;   // heterogeneity applied
    DoseWithLimits ld50;  // Fieller limits, heterogeneity applied
    double deviance = 0;  // never below 0
    double pearsonChi2 = 0;
    int df = 0;  // groups - 2
    std::optional<double> pearsonP;
    std::string pearsonPReason;
    std::optional<Heterogeneity> heterogeneity;  // when applied
    double aic = 0;
};

struct MlModel {
    ResponseLink link = ResponseLink::Probit;
    std::optional<MlModelFigures> figures;
    std::string reason;  // why there are no figures
};

struct CommonLDk {
    double percent = 0;
    // The LDk calculator's dose and limits from the classic fit; its note
    // warns when the maximum-likelihood line says these limits cannot be
    // trusted (g >= 1, or no finite estimate).
    DoseWithLimits classic;
    DoseWithLimits fieller;  // the maximum-likelihood probit dose with Fieller limits
};

// The fitted probit curve at one dose: the linear predictor with its
// standard error (heterogeneity applied) and the response probability with
// its 95 % band.
struct ProbitBandPoint {
    double dose = 0;
    double eta = 0, etaSE = 0;
    double fitted = 0, lower = 0, upper = 0;
};

struct ObservedRate {
    double dose = 0;
    double rate = 0;
};

struct BlissExtended {
    MlModel probit, logit;
    std::vector<CommonLDk> ldk;  // one per kCommonLDkPercents
    std::vector<ObservedRate> observed;  // in input order
    // At every distinct dose and at the geometric midpoints between
    // neighbouring ones, in rising dose; empty without a probit fit.
    std::vector<ProbitBandPoint> band;
    // The delta-method band's multiplier: the conventional rounded normal
    // point, or Student's t under heterogeneity.
    double bandMultiplier = numeric::kNormal95TwoDecimals;
    // The background mortality was above 0: the classic figures are corrected
    // for it, the maximum-likelihood fits take the counts as typed.
    bool backgroundLeftOut = false;
};

// groups as the input check returned them, c the background mortality as a
// fraction, classic the classic fit (empty when it failed).
BlissExtended ComputeBlissExtended(const std::vector<BlissGroup>& groups, double c,
                                   const std::optional<BlissFit>& classic);

}  // namespace tavelmark::bliss
