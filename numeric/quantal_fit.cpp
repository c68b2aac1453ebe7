#include "numeric/quantal_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tavelmark::numeric {

namespace {

// Newton's method converges quadratically near the estimate; a fit that has
// not settled after this many rounds is running away (separated data).
constexpr int kMaxIterations = 200;
constexpr double kStepTolerance = 1e-10;
// A step is halved at most this often before the round is given up.
constexpr int kMaxHalvings = 60;
// How often a natural rate set at zero may be taken back into the fit when
// its score at zero points inwards again.
constexpr int kMaxBoundaryRounds = 3;

double LogChoose(double n, double r) { return std::lgamma(n + 1) - std::lgamma(r + 1) - std::lgamma(n - r + 1); }

// x log(x / m), 0 at x = 0.
double XLogRatio(double x, double m) { return x > 0 ? x * std::log(x / m) : 0.0; }

// The parameters being estimated: the coefficients, then the natural rate
// of each block in `active` (in block order).
struct Layout {
    int coefficients = 0;
    std::vector<int> naturalIndex;  // per block, -1 when its C is not a parameter
    int size = 0;
};

Layout MakeLayout(int coefficients, const std::vector<bool>& active) {
    Layout layout;
    layout.coefficients = coefficients;
    layout.size = coefficients;
    for (bool a : active) layout.naturalIndex.push_back(a ? layout.size++ : -1);
    return layout;
}

// One group's response probability P, its complement and their derivatives
// with respect to eta and C.
struct GroupPoint {
    double P = 0, oneMinusP = 0;
    double dPdEta = 0, d2PdEta2 = 0;  // (1 - C) f and (1 - C) f'
    double dPdC = 0, d2PdEtadC = 0;   // 1 - F and -f (1 and 0 for a control group)
};

GroupPoint PointOf(const QuantalModel& model, const QuantalGroup& g, const std::vector<double>& theta,
                   double C) {
    GroupPoint p;
    if (g.design.empty()) {
        p.P = C;
        p.oneMinusP = 1 - C;
        p.dPdC = 1;
        return p;
    }
    double eta = 0;
    for (int k = 0; k < model.coefficients; ++k) eta += g.design[k] * theta[k];
    const LinkPoint at = QuantalLinkAt(model.link, eta);
    p.P = C + (1 - C) * at.F;
    p.oneMinusP = (1 - C) * at.Q;
    p.dPdEta = (1 - C) * at.f;
    p.d2PdEta2 = (1 - C) * at.fPrime;
    p.dPdC = at.Q;
    p.d2PdEtadC = -at.f;
    return p;
}

class Likelihood {
public:
    Likelihood(const QuantalModel& model, std::vector<double> naturalRates, std::vector<bool> active)
        : model_(model), rates_(std::move(naturalRates)), active_(std::move(active)),
          layout_(MakeLayout(model.coefficients, active_)) {}

    const Layout& layout() const { return layout_; }
    const std::vector<bool>& active() const { return active_; }

    // Control groups carry information only about an estimated C.
    bool included(const QuantalGroup& g) const { return !g.design.empty() || active_[g.block]; }

    double rateOf(const std::vector<double>& theta, int block) const {
        const int index = layout_.naturalIndex[block];
        return index >= 0 ? theta[index] : rates_[block];
    }

    // The log-likelihood without the constant log C(n, r) terms; -infinity
    // where a group is given a probability its counts rule out.
    double logLikelihood(const std::vector<double>& theta) const {
        double sum = 0;
        for (const QuantalGroup& g : model_.groups) {
            if (!included(g)) continue;
            const GroupPoint p = PointOf(model_, g, theta, rateOf(theta, g.block));
            if (g.positives > 0) sum += g.positives * std::log(p.P);
            if (g.n > g.positives) sum += (g.n - g.positives) * std::log(p.oneMinusP);
        }
        return std::isnan(sum) ? -std::numeric_limits<double>::infinity() : sum;
    }

    // The score and the observed and expected information at theta.
    struct Derivatives {
        std::vector<double> score;
        SquareMatrix observed, expected;
    };

    Derivatives derivatives(const std::vector<double>& theta) const {
        const int m = layout_.size;
        Derivatives d{std::vector<double>(m, 0.0), SquareMatrix(m), SquareMatrix(m)};
        std::vector<double> dP(m);
        for (const QuantalGroup& g : model_.groups) {
            if (!included(g)) continue;
            const int cIndex = layout_.naturalIndex[g.block];
            const GroupPoint p = PointOf(model_, g, theta, rateOf(theta, g.block));
            const double r = g.positives, nonResponders = g.n - g.positives;
            // dl/dP and d2l/dP2 of r log P + (n - r) log(1 - P).
            const double a = (r > 0 ? r / p.P : 0.0) - (nonResponders > 0 ? nonResponders / p.oneMinusP : 0.0);
            const double b = -(r > 0 ? r / (p.P * p.P) : 0.0) -
                             (nonResponders > 0 ? nonResponders / (p.oneMinusP * p.oneMinusP) : 0.0);
            std::fill(dP.begin(), dP.end(), 0.0);
            if (!g.design.empty())
                for (int k = 0; k < model_.coefficients; ++k) dP[k] = p.dPdEta * g.design[k];
            if (cIndex >= 0) dP[cIndex] = p.dPdC;
            const double fisher = g.n / (p.P * p.oneMinusP);
            for (int i = 0; i < m; ++i) {
                if (dP[i] == 0) continue;
                d.score[i] += a * dP[i];
                for (int j = 0; j < m; ++j) {
                    if (dP[j] == 0) continue;
                    d.observed(i, j) -= b * dP[i] * dP[j];
                    d.expected(i, j) += fisher * dP[i] * dP[j];
                }
            }
            if (g.design.empty()) continue;
            // The second derivatives of P: in eta alone, and in eta and C.
            for (int i = 0; i < model_.coefficients; ++i) {
                if (g.design[i] == 0) continue;
                for (int j = 0; j < model_.coefficients; ++j)
                    d.observed(i, j) -= a * p.d2PdEta2 * g.design[i] * g.design[j];
                if (cIndex >= 0) {
                    const double cross = a * p.d2PdEtadC * g.design[i];
                    d.observed(i, cIndex) -= cross;
                    d.observed(cIndex, i) -= cross;
                }
            }
        }
        return d;
    }

    // dl/dC of a block at C = 0, the other parameters as in theta (whose
    // layout has the block's C held at zero).
    double scoreAtZero(const std::vector<double>& theta, int block) const {
        double score = 0;
        for (const QuantalGroup& g : model_.groups) {
            if (g.block != block) continue;
            if (g.design.empty() && g.positives > 0) return std::numeric_limits<double>::infinity();
            const GroupPoint p = PointOf(model_, g, theta, 0.0);
            const double a = (g.positives > 0 ? g.positives / p.P : 0.0) -
                             (g.n > g.positives ? (g.n - g.positives) / p.oneMinusP : 0.0);
            score += a * p.dPdC;
        }
        return score;
    }

private:
    const QuantalModel& model_;
    std::vector<double> rates_;  // the rates of the blocks whose C is not estimated
    std::vector<bool> active_;
    Layout layout_;
};

// Starting coefficients: weighted least squares of the empirical link values
// of (r + 1/2) / (n + 1), corrected for the natural rate, with the Fisher
// weights n f^2 / (F (1 - F)) at those values. Empty when the design does not
// determine the coefficients.
std::optional<std::vector<double>> StartingCoefficients(const QuantalModel& model,
                                                        const std::vector<double>& rates) {
    const int p = model.coefficients;
    SquareMatrix normal(p);
    std::vector<double> right(p, 0.0);
    for (const QuantalGroup& g : model.groups) {
        if (g.design.empty()) continue;
        const double C = rates[g.block];
        const double floor = 0.5 / (g.n + 1);
        const double observed = (g.positives + 0.5) / (g.n + 1);
        const double rate = std::clamp((observed - C) / (1 - C), floor, 1 - floor);
        const double eta = QuantalLinkOf(model.link, rate);
        const LinkPoint at = QuantalLinkAt(model.link, eta);
        const double w = g.n * at.f * at.f / (at.F * at.Q);
        for (int i = 0; i < p; ++i) {
            right[i] += w * g.design[i] * eta;
            for (int j = 0; j < p; ++j) normal(i, j) += w * g.design[i] * g.design[j];
        }
    }
    const auto factor = CholeskyFactor(normal);
    if (!factor) return std::nullopt;
    return CholeskySolve(*factor, right);
}

// The natural rate a block starts from: the controls' rate, or half the
// lowest rate of its dose groups when it has no controls.
double StartingRate(const QuantalModel& model, int block) {
    double r = 0, n = 0, lowest = 1;
    for (const QuantalGroup& g : model.groups) {
        if (g.block != block) continue;
        if (g.design.empty()) {
            r += g.positives;
            n += g.n;
        } else {
            lowest = std::min(lowest, (g.positives + 0.5) / (g.n + 1));
        }
    }
    if (n > 0) return std::clamp((r + 0.5) / (n + 1), 1e-3, 0.9);
    return std::clamp(lowest / 2, 1e-3, 0.5);
}

double LargestRelativeStep(const std::vector<double>& step, const std::vector<double>& theta) {
    double largest = 0;
    for (std::size_t k = 0; k < step.size(); ++k)
        largest = std::max(largest, std::fabs(step[k]) / std::max(std::fabs(theta[k]), 1.0));
    return largest;
}

struct NewtonResult {
    std::vector<double> theta;
    int iterations = 0;
    QuantalFailure failure = QuantalFailure::None;
    int leftAtZero = -1;  // a block whose C a step took below 0, to be held at zero
};

// Newton-Raphson on the parameters of `likelihood` from theta. A round
// whose observed information is not positive definite (far from the
// estimate) takes the Fisher-scoring step instead; a step that lowers the
// likelihood is halved; a natural rate is kept inside [0, 1).
NewtonResult Newton(const Likelihood& likelihood, std::vector<double> theta, int iterationsSoFar) {
    NewtonResult out;
    out.iterations = iterationsSoFar;
    const Layout& layout = likelihood.layout();
    double current = likelihood.logLikelihood(theta);
    if (!std::isfinite(current)) {
        // The caller still looks at where the fit stood (running away?).
        out.theta = std::move(theta);
        out.failure = QuantalFailure::NotConverged;
        return out;
    }
    while (out.iterations < kMaxIterations) {
        ++out.iterations;
        const auto d = likelihood.derivatives(theta);
        auto factor = CholeskyFactor(d.observed);
        if (!factor) factor = CholeskyFactor(d.expected);
        if (!factor) {
            // The start values had a regular design; information lost on the
            // way means the fit is running off (or stuck).
            out.theta = std::move(theta);
            out.failure = QuantalFailure::NotConverged;
            return out;
        }
        std::vector<double> step = CholeskySolve(*factor, d.score);
        if (LargestRelativeStep(step, theta) < kStepTolerance) {
            for (int k = 0; k < layout.size; ++k) theta[k] += step[k];
            out.theta = std::move(theta);
            return out;
        }
        // A natural rate that the step would take below 0 is held at zero
        // when its score there points outwards; otherwise the step stops
        // halfway to the boundary.
        double scale = 1;
        for (std::size_t block = 0; block < layout.naturalIndex.size(); ++block) {
            const int c = layout.naturalIndex[block];
            if (c < 0) continue;
            if (theta[c] + step[c] <= 0) {
                std::vector<double> atZero(theta);
                atZero[c] = 0;
                if (!(likelihood.scoreAtZero(atZero, static_cast<int>(block)) > 0)) {
                    out.theta = std::move(theta);
                    out.leftAtZero = static_cast<int>(block);
                    return out;
                }
                scale = std::min(scale, theta[c] / (2 * -step[c]));
            } else if (theta[c] + step[c] >= 1) {
                scale = std::min(scale, (1 - theta[c]) / (2 * step[c]));
            }
        }
        std::vector<double> trial(theta.size());
        double value = -std::numeric_limits<double>::infinity();
        // A fall of the likelihood within rounding is no fall: near the
        // estimate the last steps change it by less than its last digits.
        const double floor = current - 1e-12 * (1 + std::fabs(current));
        for (int halving = 0; halving <= kMaxHalvings; ++halving, scale /= 2) {
            for (int k = 0; k < layout.size; ++k) trial[k] = theta[k] + scale * step[k];
            value = likelihood.logLikelihood(trial);
            if (value >= floor) break;
        }
        if (!(value >= floor)) {
            // No step along the Newton direction raises the likelihood: the
            // estimate is reached as closely as the arithmetic allows.
            out.theta = std::move(theta);
            return out;
        }
        theta = trial;
        current = value;
    }
    out.theta = std::move(theta);
    out.failure = QuantalFailure::NotConverged;
    return out;
}

// Whether a fit that did not settle has pushed every group with all or no
// responses towards a fitted rate of exactly 1 or 0: the sign of separation.
bool RunningAway(const QuantalModel& model, const Likelihood& likelihood, const std::vector<double>& theta) {
    bool any = false;
    for (const QuantalGroup& g : model.groups) {
        if (!likelihood.included(g) || g.design.empty()) continue;
        const GroupPoint p = PointOf(model, g, theta, likelihood.rateOf(theta, g.block));
        if (g.positives == 0 && p.P > 1e-6) return false;
        if (g.positives == g.n && p.oneMinusP > 1e-6) return false;
        any = any || g.positives == 0 || g.positives == g.n;
    }
    return any;
}

QuantalFit Summarise(const QuantalModel& model, const Likelihood& likelihood, const std::vector<double>& theta,
                     const std::vector<bool>& atZero, SquareMatrix covariance, int iterations) {
    QuantalFit fit;
    const Layout& layout = likelihood.layout();
    fit.coefficients.assign(theta.begin(), theta.begin() + model.coefficients);
    for (int block = 0; block < model.blocks; ++block) {
        fit.naturalRates.push_back(likelihood.rateOf(theta, block));
        NaturalState state = NaturalState::None;
        if (model.natural == NaturalResponse::Fixed) state = NaturalState::Fixed;
        if (model.natural == NaturalResponse::Estimated)
            state = atZero[block] ? NaturalState::AtZero : NaturalState::Estimated;
        fit.naturalStates.push_back(state);
    }
    fit.naturalIndex = layout.naturalIndex;
    fit.covariance = std::move(covariance);
    fit.iterations = iterations;
    fit.parameters = layout.size;
    for (const QuantalGroup& g : model.groups) {
        const bool in = likelihood.included(g);
        const GroupPoint p = PointOf(model, g, theta, likelihood.rateOf(theta, g.block));
        fit.fitted.push_back(p.P);
        fit.inLikelihood.push_back(in);
        if (!in) continue;
        ++fit.groups;
        const double r = g.positives, n = g.n;
        fit.logLikelihood += LogChoose(n, r) + (r > 0 ? r * std::log(p.P) : 0.0) +
                             (n > r ? (n - r) * std::log(p.oneMinusP) : 0.0);
        fit.deviance += 2 * (XLogRatio(r, n * p.P) + XLogRatio(n - r, n * p.oneMinusP));
        // A group fitted at exactly 0 or 1 adds nothing when it was observed
        // so; otherwise the model cannot have given it.
        const double variance = n * p.P * p.oneMinusP;
        const double residual = r - n * p.P;
        if (variance > 0) {
            fit.pearsonChi2 += residual * residual / variance;
        } else if (residual != 0) {
            fit.pearsonChi2 = std::numeric_limits<double>::infinity();
        }
    }
    // Each term of the deviance is >= 0; rounding in an exact fit can leave
    // their sum a hair below.
    fit.deviance = std::max(fit.deviance, 0.0);
    fit.df = fit.groups - fit.parameters;
    return fit;
}

}  // namespace

QuantalOutcome FitQuantal(const QuantalModel& model) {
    QuantalOutcome outcome;
    const int blocks = std::max(model.blocks, 1);
    std::vector<double> rates(blocks, 0.0);
    std::vector<bool> active(blocks, false), atZero(blocks, false);
    if (model.natural == NaturalResponse::Fixed)
        for (int b = 0; b < blocks && b < static_cast<int>(model.fixedRates.size()); ++b) rates[b] = model.fixedRates[b];
    if (model.natural == NaturalResponse::Estimated)
        for (int b = 0; b < blocks; ++b) {
            active[b] = true;
            rates[b] = StartingRate(model, b);
        }

    const auto start = model.start.size() == static_cast<std::size_t>(model.coefficients)
                           ? std::optional<std::vector<double>>(model.start)
                           : StartingCoefficients(model, rates);
    if (!start) {
        outcome.failure = QuantalFailure::RankDeficient;
        return outcome;
    }
    std::vector<double> coefficients = *start;
    int iterations = 0, boundaryRounds = 0;
    for (;;) {
        const Likelihood likelihood(model, rates, active);
        std::vector<double> theta(coefficients);
        theta.resize(likelihood.layout().size);
        for (int b = 0; b < blocks; ++b)
            if (active[b]) theta[likelihood.layout().naturalIndex[b]] = rates[b];

        NewtonResult result = Newton(likelihood, theta, iterations);
        iterations = result.iterations;
        if (result.failure == QuantalFailure::NotConverged && RunningAway(model, likelihood, result.theta))
            result.failure = QuantalFailure::NoFiniteEstimate;
        if (result.failure != QuantalFailure::None) {
            outcome.failure = result.failure;
            return outcome;
        }
        coefficients.assign(result.theta.begin(), result.theta.begin() + model.coefficients);
        for (int b = 0; b < blocks; ++b)
            if (active[b]) rates[b] = result.theta[likelihood.layout().naturalIndex[b]];

        if (result.leftAtZero >= 0) {
            // The likelihood rises towards C = 0: refit without it.
            active[result.leftAtZero] = false;
            atZero[result.leftAtZero] = true;
            rates[result.leftAtZero] = 0;
            continue;
        }
        // A rate held at zero whose score there now points inwards goes back
        // into the fit (a few times at most).
        bool reopened = false;
        if (boundaryRounds < kMaxBoundaryRounds) {
            for (int b = 0; b < blocks; ++b) {
                if (!atZero[b] || !(likelihood.scoreAtZero(result.theta, b) > 0)) continue;
                atZero[b] = false;
                active[b] = true;
                rates[b] = StartingRate(model, b);
                reopened = true;
            }
        }
        if (reopened) {
            ++boundaryRounds;
            continue;
        }

        const auto d = likelihood.derivatives(result.theta);
        const auto factor = CholeskyFactor(d.observed);
        if (!factor) {
            outcome.failure = QuantalFailure::Singular;
            return outcome;
        }
        outcome.fit = Summarise(model, likelihood, result.theta, atZero, CholeskyInverse(*factor), iterations);
        return outcome;
    }
}

}  // namespace tavelmark::numeric
