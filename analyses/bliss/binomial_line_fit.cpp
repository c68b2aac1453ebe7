#include "analyses/bliss/binomial_line_fit.h"

#include <algorithm>
#include <cmath>

#include <boost/math/distributions/normal.hpp>

namespace tavelmark::bliss {

namespace {

// Scoring converges fast (quadratically for the logit, where it is Newton's
// method); a fit that has not settled after this many rounds will not.
constexpr int kMaxRounds = 100;
// The fit has settled when a round changes the deviance D by less than this
// share of |D| + 0.1, the usual stopping rule of iteratively reweighted least
// squares, here at a tight tolerance: the coefficients then stand to about
// twelve digits.
constexpr double kDevianceTolerance = 1e-12;

const boost::math::normal kStandardNormal;

// The probability at eta, its complement (kept apart so that neither loses
// digits in the far tail) and the derivative d p / d eta.
struct LinkPoint {
    double p = 0, q = 0, dp = 0;
};

LinkPoint AtEta(ResponseLink link, double eta) {
    if (link == ResponseLink::Probit) {
        return {boost::math::cdf(kStandardNormal, eta),
                boost::math::cdf(boost::math::complement(kStandardNormal, eta)),
                boost::math::pdf(kStandardNormal, eta)};
    }
    const double p = 1 / (1 + std::exp(-eta));
    const double q = 1 / (1 + std::exp(eta));
    return {p, q, p * q};
}

// x log(x / m), taken as 0 at x = 0.
double XLogRatio(double x, double m) { return x > 0 ? x * std::log(x / m) : 0.0; }

// x log(p), taken as 0 at x = 0.
double XLog(double x, double p) { return x > 0 ? x * std::log(p) : 0.0; }

double LogChoose(double n, double d) {
    return std::lgamma(n + 1) - std::lgamma(d + 1) - std::lgamma(n - d + 1);
}

// One weighted least-squares line: z on x with weights w, and the inverse of
// its normal equations (computed about the weighted mean of x for accuracy).
struct WeightedLine {
    double intercept = 0, slope = 0, v00 = 0, v01 = 0, v11 = 0;
};

std::optional<WeightedLine> FitWeightedLine(const std::vector<BinomialCount>& counts,
                                            const std::vector<double>& w,
                                            const std::vector<double>& z) {
    double sw = 0, swx = 0, swz = 0;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        sw += w[i];
        swx += w[i] * counts[i].x;
        swz += w[i] * z[i];
    }
    if (!(sw > 0)) return std::nullopt;
    const double xMean = swx / sw, zMean = swz / sw;
    double sxx = 0, sxz = 0;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        const double dx = counts[i].x - xMean;
        sxx += w[i] * dx * dx;
        sxz += w[i] * dx * (z[i] - zMean);
    }
    if (!(sxx > 0)) return std::nullopt;
    WeightedLine line;
    line.slope = sxz / sxx;
    line.intercept = zMean - line.slope * xMean;
    line.v11 = 1 / sxx;
    line.v01 = -xMean / sxx;
    line.v00 = 1 / sw + xMean * xMean / sxx;
    return line;
}

// Fisher-scoring weight n (dp/deta)^2 / (p q) and working response
// eta + (y - p) / (dp/deta) of each group (McCullagh & Nelder, Generalized
// Linear Models, 2nd ed., 1989, sec. 2.5). A group whose weight underflows in
// the far tail carries no information and drops out of the round.
void WorkingValues(const std::vector<BinomialCount>& counts, ResponseLink link,
                   const std::vector<double>& eta, std::vector<double>& w, std::vector<double>& z) {
    for (std::size_t i = 0; i < counts.size(); ++i) {
        const LinkPoint at = AtEta(link, eta[i]);
        const double weight = counts[i].n * at.dp * at.dp / (at.p * at.q);
        if (!(weight > 0) || !std::isfinite(weight)) {
            w[i] = 0;
            z[i] = 0;
            continue;
        }
        w[i] = weight;
        z[i] = eta[i] + (counts[i].positives / counts[i].n - at.p) / at.dp;
    }
}

// Binomial deviance (McCullagh & Nelder, ch. 4), non-finite when a
// fitted probability reached 0 or 1 where the group says otherwise.
double Deviance(const std::vector<BinomialCount>& counts, ResponseLink link,
                const std::vector<double>& eta) {
    double sum = 0;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        const LinkPoint at = AtEta(link, eta[i]);
        const double d = counts[i].positives, n = counts[i].n;
        sum += XLogRatio(d, n * at.p) + XLogRatio(n - d, n * at.q);
    }
    return 2 * sum;
}

}  // namespace

double ResponseProbability(ResponseLink link, double eta) { return AtEta(link, eta).p; }

double LinkOfProbability(ResponseLink link, double p) {
    if (link == ResponseLink::Probit) return boost::math::quantile(kStandardNormal, p);
    return std::log(p / (1 - p));
}

bool CountsSeparated(const std::vector<BinomialCount>& counts) {
    bool anyResponse = false, anyNonResponse = false;
    double lowestResponse = 0, highestResponse = 0, lowestNon = 0, highestNon = 0;
    for (const BinomialCount& c : counts) {
        if (c.positives > 0) {
            lowestResponse = anyResponse ? std::min(lowestResponse, c.x) : c.x;
            highestResponse = anyResponse ? std::max(highestResponse, c.x) : c.x;
            anyResponse = true;
        }
        if (c.positives < c.n) {
            lowestNon = anyNonResponse ? std::min(lowestNon, c.x) : c.x;
            highestNon = anyNonResponse ? std::max(highestNon, c.x) : c.x;
            anyNonResponse = true;
        }
    }
    if (!anyResponse || !anyNonResponse) return true;
    return highestNon <= lowestResponse || highestResponse <= lowestNon;
}

bool SingleDose(const std::vector<BinomialCount>& counts) {
    return std::all_of(counts.begin(), counts.end(),
                       [&](const BinomialCount& c) { return c.x == counts.front().x; });
}

std::optional<BinomialLineFit> FitBinomialLine(const std::vector<BinomialCount>& counts,
                                               ResponseLink link) {
    const std::size_t k = counts.size();
    if (k < 2 || SingleDose(counts) || CountsSeparated(counts)) return std::nullopt;

    // Start from the empirical link values of (d + 1/2) / (n + 1), which stay
    // finite for groups of 0 % and 100 %.
    std::vector<double> eta(k), w(k), z(k);
    for (std::size_t i = 0; i < k; ++i)
        eta[i] = LinkOfProbability(link, (counts[i].positives + 0.5) / (counts[i].n + 1));

    std::optional<WeightedLine> line;
    double deviance = Deviance(counts, link, eta);
    bool settled = false;
    int rounds = 0;
    while (!settled && rounds < kMaxRounds) {
        ++rounds;
        WorkingValues(counts, link, eta, w, z);
        line = FitWeightedLine(counts, w, z);
        if (!line || !std::isfinite(line->intercept) || !std::isfinite(line->slope))
            return std::nullopt;
        for (std::size_t i = 0; i < k; ++i) eta[i] = line->intercept + line->slope * counts[i].x;
        const double previous = deviance;
        deviance = Deviance(counts, link, eta);
        if (!std::isfinite(deviance)) return std::nullopt;
        settled = std::fabs(deviance - previous) / (std::fabs(deviance) + 0.1) < kDevianceTolerance;
    }
    if (!settled) return std::nullopt;

    BinomialLineFit fit;
    fit.intercept = line->intercept;
    fit.slope = line->slope;
    fit.v00 = line->v00;
    fit.v01 = line->v01;
    fit.v11 = line->v11;
    fit.deviance = deviance;
    fit.iterations = rounds;
    fit.fitted.resize(k);
    for (std::size_t i = 0; i < k; ++i) {
        const LinkPoint at = AtEta(link, eta[i]);
        const double d = counts[i].positives, n = counts[i].n;
        fit.fitted[i] = at.p;
        fit.logLikelihood += LogChoose(n, d) + XLog(d, at.p) + XLog(n - d, at.q);
    }
    if (!std::isfinite(fit.logLikelihood) || !std::isfinite(fit.v00) || !std::isfinite(fit.v11))
        return std::nullopt;
    return fit;
}

}  // namespace tavelmark::bliss
