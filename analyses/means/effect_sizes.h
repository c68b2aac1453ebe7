#pragma once
// Standardised mean differences T − R: Cohen's d with limits from the
// noncentral t distribution, and Hedges' g with the Hedges–Olkin
// large-sample limits.
#include <optional>
#include <string>

#include "analyses/means/mean_difference.h"

namespace tavelmark::means {

// An estimate with its 95% limits; `reason` says why any of them is missing.
struct LimitedEstimate {
    std::optional<double> estimate, lower, upper;
    std::string reason;
};

struct EffectSizes {
    std::optional<double> pooledSd;  // with n1 + n2 − 2 df
    LimitedEstimate cohenD;          // limits from the noncentral t
    std::optional<double> hedgesJ;   // exact small-sample factor
    LimitedEstimate hedgesG;         // g = J d, limits g ∓ z se
    std::optional<double> hedgesGStandardError;
};

EffectSizes ComputeEffectSizes(const GroupMoments& t, const GroupMoments& r);

// Hedges' J for `df` degrees of freedom, df > 1.
double HedgesCorrection(double df);

}  // namespace tavelmark::means
