#include "analyses/bliss/binomial_line_fit.h"

#include <algorithm>
#include <cmath>

namespace tavelmark::bliss {

namespace {

std::vector<numeric::LinePoint> LineOf(const std::vector<BinomialCount>& counts) {
    std::vector<numeric::LinePoint> line;
    line.reserve(counts.size());
    for (const BinomialCount& c : counts) line.push_back({c.x, c.n, c.positives});
    return line;
}

}  // namespace

double ResponseProbability(ResponseLink link, double eta) { return numeric::QuantalLinkAt(link, eta).F; }

double LinkOfProbability(ResponseLink link, double p) { return numeric::QuantalLinkOf(link, p); }

bool CountsSeparated(const std::vector<BinomialCount>& counts) {
    return numeric::LineSeparation(LineOf(counts)) != numeric::SeparationDirection::None;
}

bool SingleDose(const std::vector<BinomialCount>& counts) {
    return std::all_of(counts.begin(), counts.end(),
                       [&](const BinomialCount& c) { return c.x == counts.front().x; });
}

std::optional<BinomialLineFit> FitBinomialLine(const std::vector<BinomialCount>& counts,
                                               ResponseLink link) {
    if (counts.size() < 2 || SingleDose(counts) || CountsSeparated(counts)) return std::nullopt;
    numeric::QuantalModel model;
    model.link = link;
    model.coefficients = 2;
    for (const BinomialCount& c : counts) model.groups.push_back({{1.0, c.x}, c.n, c.positives, 0});
    const numeric::QuantalOutcome outcome = numeric::FitQuantal(model);
    if (!outcome.fit) return std::nullopt;
    const numeric::QuantalFit& q = *outcome.fit;

    BinomialLineFit fit;
    fit.intercept = q.coefficients[0];
    fit.slope = q.coefficients[1];
    fit.v00 = q.covariance(0, 0);
    fit.v01 = q.covariance(0, 1);
    fit.v11 = q.covariance(1, 1);
    fit.fitted = q.fitted;
    fit.deviance = q.deviance;
    fit.pearsonChi2 = q.pearsonChi2;
    fit.logLikelihood = q.logLikelihood;
    fit.iterations = q.iterations;
    for (double v : {fit.intercept, fit.slope, fit.v00, fit.v01, fit.v11, fit.logLikelihood})
        if (!std::isfinite(v)) return std::nullopt;
    return fit;
}

}  // namespace tavelmark::bliss
