#pragma once
// Maximum-likelihood fit of a straight line in log10 dose to binomial counts,
// with a probit or a logit link: the second opinion beside the classic Bliss
// iteration, which stops at a fixed tolerance on the working probits.
#include <optional>
#include <vector>

#include "numeric/quantal_fit.h"

namespace tavelmark::bliss {

using ResponseLink = numeric::QuantalLink;

struct BinomialCount {
    double x = 0;  // log10 dose
    double n = 0;
    double positives = 0;
};

struct BinomialLineFit {
    double intercept = 0;
    double slope = 0;
    // Covariance of (intercept, slope): the inverse of the observed
    // information at the estimate, dispersion 1.
    double v00 = 0, v01 = 0, v11 = 0;
    std::vector<double> fitted;  // response probability of each group, in input order
    double deviance = 0;         // never below 0
    double pearsonChi2 = 0;
    double logLikelihood = 0;  // including log C(n, d)
    int iterations = 0;
};

// The response probability at the linear predictor eta, and its inverse.
double ResponseProbability(ResponseLink link, double eta);
double LinkOfProbability(ResponseLink link, double p);

// True when every group with a response lies at or above (or at or below)
// every group with a non-response, all-zero and all-full data included: the
// likelihood then grows without bound as the slope does (complete or
// quasi-complete separation), and no finite estimate exists.
bool CountsSeparated(const std::vector<BinomialCount>& counts);

// True when all groups share one dose.
bool SingleDose(const std::vector<BinomialCount>& counts);

// Newton-Raphson to a relative step of 1e-10 (numeric/quantal_fit.h). Empty
// when the counts have no finite estimate (check the two tests above first),
// when the fit fails to settle, or when the arithmetic overflows.
std::optional<BinomialLineFit> FitBinomialLine(const std::vector<BinomialCount>& counts,
                                               ResponseLink link);

}  // namespace tavelmark::bliss
