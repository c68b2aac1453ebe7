#pragma once
// The regular Bliss probit fit: the line Y = a + b log10(D) by iterated
// weighted least squares on working probits, LD50 with its limits, the
// heterogeneity chi-square, and the Fieller and heterogeneity corrections.
#include <optional>
#include <string>
#include <vector>

#include "analyses/bliss/bliss_types.h"

namespace tavelmark::bliss {

// The iteration stops when no group's fitted probit moves by this much.
inline constexpr double kBlissConvergence = 0.0005;
// A fit that has not settled after this many rounds never will in practice
// (the maximum-likelihood line does not exist, for example all-or-none data).
inline constexpr int kBlissMaxIterations = 100;

struct BlissFitOutcome {
    std::optional<BlissFit> fit;
    std::string failure;  // why there is no fit: a message for the user
};

// groups in input order, c the background mortality as a fraction (0 <= c < 1).
BlissFitOutcome FitBliss(const std::vector<BlissGroup>& groups, double c);

// "-1.7316 + 5.8431×Log(D)"; a negative slope brings its own sign.
std::string BlissEquationText(double a, double b);

}  // namespace tavelmark::bliss
