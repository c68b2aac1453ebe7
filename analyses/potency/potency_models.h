#pragma once
// The likelihood models of the potency comparison: lines in log10 dose for
// some of the preparations, with the natural response rate as the options
// and the control rows say, fitted by the quantal engine.
#include <optional>
#include <string>
#include <vector>

#include "analyses/potency/potency_data.h"
#include "analyses/potency/potency_options.h"
#include "numeric/quantal_fit.h"

namespace tavelmark::potency {

// Which natural response rate each preparation takes: one shared by the
// preparations without controls of their own (the rows named 对照), and one
// for each preparation with its own.
struct NaturalBlocks {
    numeric::NaturalResponse mode = numeric::NaturalResponse::None;
    std::vector<int> blockOf;          // per preparation
    std::vector<std::string> labels;   // per block: 对照, or the preparation's name
    std::vector<double> abbottRates;   // per block, the controls' rate (0 without controls)
    std::vector<bool> hasControls;     // per block
};

NaturalBlocks MakeNaturalBlocks(const PotencyData& data, NaturalResponseOption option);

enum class LineShape {
    Separate,  // an intercept and a slope for each preparation
    Parallel,  // an intercept each, one slope (the last coefficient)
    One,       // one intercept and one slope for all
};

// Parallel lines on which preparation `tied`'s intercept is that of
// `anchor` plus m times the common slope: log10 LD50_anchor / LD50_tied = m.
// Its likelihood, maximised over the rest, profiles m.
struct TiedPotency {
    int anchor = 0, tied = 0;  // indexes into the model's preparations
    double m = 0;
};

// A model over `preparations` (indexes into data.preparations, in this
// order): coefficients are the intercepts in that order, then the slopes
// (one for Parallel and One). `rows` gives each model group's grid row.
struct LinesModel {
    numeric::QuantalModel model;
    std::vector<int> rows;
    std::vector<int> blocks;  // the NaturalBlocks index of each block of the model
};

LinesModel BuildLinesModel(const PotencyData& data, const std::vector<int>& preparations, LineShape shape,
                           numeric::QuantalLink link, const NaturalBlocks& natural,
                           const std::optional<TiedPotency>& tied = std::nullopt);

// Finney's heterogeneity factor, applied when the Pearson chi-square of a
// fit has P < 0.15: the covariance is multiplied by h = chi2 / df and limits
// take Student's t on df degrees of freedom instead of the normal z.
struct Heterogeneity {
    double h = 1;
    int df = 0;
    double t = 0;
};

struct GoodnessOfFit {
    double deviance = 0;
    double pearson = 0;
    int df = 0;
    std::optional<double> p;  // of the Pearson chi-square; empty without df
    std::optional<Heterogeneity> heterogeneity;
    double multiplier = 0;  // of the limits: t with heterogeneity, z without
};

// The natural response rate of a block as a fit took it.
struct NaturalRate {
    std::string label;
    double rate = 0;
    numeric::NaturalState state = numeric::NaturalState::None;
    std::optional<double> se;  // estimated rates only (heterogeneity applied)
};

struct FittedLines {
    std::optional<numeric::QuantalFit> fit;
    std::string reason;  // why there is no fit
    GoodnessOfFit quality;
    std::vector<NaturalRate> natural;
    LinesModel lines;
    // The covariance the limits use: the fit's, times h under heterogeneity.
    numeric::SquareMatrix covariance;
};

FittedLines FitLines(const PotencyData& data, const std::vector<int>& preparations, LineShape shape,
                     numeric::QuantalLink link, const NaturalBlocks& natural);

// The normal 97.5 % point.
double NormalQuantile975();

}  // namespace tavelmark::potency
