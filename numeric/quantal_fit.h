#pragma once
// Maximum-likelihood fit of quantal responses: groups of n subjects of which
// r respond, each with P = C + (1 - C) F(eta), eta = design row . coefficients,
// F the normal (probit) or logistic (logit) distribution and C the natural
// response rate of the group's block (none, fixed, or estimated with the
// control groups in the likelihood). One design row per group lets one engine
// fit a single line, separate lines, parallel lines, or one line across
// several preparations.
//
// Newton-Raphson on the binomial log-likelihood with step halving; the fit
// has converged when the largest Newton step, relative to its parameter (or
// absolute below 1), is under 1e-10. The covariance is the inverse of the
// observed information at the estimate.
#include <optional>
#include <vector>

#include "numeric/dense_matrix.h"
#include "numeric/quantal_link.h"

namespace tavelmark::numeric {

enum class NaturalResponse { None, Fixed, Estimated };

struct QuantalGroup {
    // The group's row of the linear predictor; empty for a control group
    // (dose 0), whose response rate is its block's C alone. A control group
    // enters the likelihood only where its block's C is estimated.
    std::vector<double> design;
    double n = 0;
    double positives = 0;
    int block = 0;  // whose natural response rate applies, 0 .. blocks - 1
};

struct QuantalModel {
    QuantalLink link = QuantalLink::Probit;
    int coefficients = 0;  // length of every design row
    std::vector<QuantalGroup> groups;
    NaturalResponse natural = NaturalResponse::None;
    int blocks = 1;
    std::vector<double> fixedRates;  // one per block, for NaturalResponse::Fixed
    // Starting coefficients, for a fit close to one already made; empty:
    // weighted least squares on the empirical link values.
    std::vector<double> start;
};

enum class NaturalState {
    None,       // no natural response in the model
    Fixed,      // held at the given rate
    Estimated,  // a parameter of the fit
    AtZero,     // estimated, and the likelihood is largest at the boundary 0: refitted without it
};

struct QuantalFit {
    std::vector<double> coefficients;
    std::vector<double> naturalRates;  // C of each block as used (0 when none or at zero)
    std::vector<NaturalState> naturalStates;
    // Covariance of the estimated parameters: the coefficients first, then
    // the estimated natural rates in block order (those at zero are not
    // parameters). naturalIndex gives each block's place, -1 for none.
    SquareMatrix covariance;
    std::vector<int> naturalIndex;
    std::vector<double> fitted;     // P of each group, in the model's order
    std::vector<bool> inLikelihood;  // false for control groups of a block whose C is not estimated
    double logLikelihood = 0;       // including log C(n, r)
    double deviance = 0;            // against one rate per group, never below 0
    double pearsonChi2 = 0;
    int groups = 0;      // groups in the likelihood
    int parameters = 0;  // estimated parameters
    int df = 0;          // groups - parameters
    int iterations = 0;
};

enum class QuantalFailure {
    None,
    RankDeficient,     // the design does not determine the coefficients (one dose on a line)
    NoFiniteEstimate,  // the likelihood grows without bound (separated data)
    NotConverged,
    Singular,  // the observed information cannot be inverted at the estimate
};

struct QuantalOutcome {
    std::optional<QuantalFit> fit;
    QuantalFailure failure = QuantalFailure::None;
};

QuantalOutcome FitQuantal(const QuantalModel& model);

// One group of a single dose-response line, for the checks below.
struct LinePoint {
    double x = 0;  // log dose
    double n = 0;
    double positives = 0;
};

enum class SeparationDirection { None, Rising, Falling, Both };

// Whether the responses of one line are (quasi-)completely separated by dose:
// Rising when every group with a response lies at or above every group with a
// non-response, Falling for the reverse, Both when the line has no response
// or no non-response at all. The likelihood of a line then has no maximum at
// a finite slope.
SeparationDirection LineSeparation(const std::vector<LinePoint>& line);

// Lines with a slope each have no finite estimate when any one is separated;
// parallel lines (one slope) when one line has no response or no
// non-response, or every line is separated the same way.
bool SeparateLinesSeparated(const std::vector<std::vector<LinePoint>>& lines);
bool ParallelLinesSeparated(const std::vector<std::vector<LinePoint>>& lines);

}  // namespace tavelmark::numeric
