#pragma once
// The extended results of the potency comparison: the other link's fit,
// delta-method and profile-likelihood limits of each relative potency beside
// Fieller's, the Pearson-difference parallelism statistic, and the ratio
// test's limits without the heterogeneity factor.
#include <optional>
#include <string>
#include <vector>

#include "analyses/potency/potency_results.h"

namespace tavelmark::potency {

struct RatioLimits {
    std::optional<double> lower, upper;
    std::string reason;  // why they are missing
};

struct PotencyExtended {
    std::optional<PotencyResults> otherLink;  // the whole comparison with the other link
    std::vector<RatioLimits> delta;           // per PotencyResults::potency
    std::vector<RatioLimits> profile;         // per PotencyResults::potency
    // X^2 of the parallel lines less that of the separate lines, on k - 1 df.
    std::optional<double> pearsonDifference, pearsonDifferenceP;
    std::string pearsonDifferenceReason;
    std::vector<RatioLimits> unscaledRatio;  // per PotencyResults::ratioTests
};

PotencyExtended ComputePotencyExtended(const PotencyResults& results, const PotencyOptions& options);

}  // namespace tavelmark::potency
