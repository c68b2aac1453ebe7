#pragma once
// The descriptive part: each group's positive rate with its 95 % limits, the
// odds of each group, the odds ratio and the relative risk of T against R.
#include <optional>
#include <string>

#include "analyses/rates/rate_table.h"

namespace tavelmark::rates {

struct RateLimits {
    double lower = 0;  // fraction
    double upper = 0;
};

// An odds or a ratio is +infinity when its denominator is 0 under a positive
// numerator, and empty when it is undefined (0/0, infinity/infinity, or a
// rate of an empty group).
struct RateEstimates {
    std::optional<double> p1, p2;
    std::optional<RateLimits> limitsR, limitsT;  // empty for a group of size 0
    std::optional<double> oddR, oddT;
    std::optional<double> oddsRatio;     // OddT / OddR
    std::optional<double> relativeRisk;  // p2 / p1
};

// Continuity-corrected score interval (Fleiss; Newcombe, Stat Med 1998, method
// 4) with z = 1.96 and 3.841 standing for z squared:
//   L = (2np + 2.841 - 1.96 sqrt(3.841 + (2x - 1)(2n - 2x + 1)/n)) / (2(n + 3.841))
//   U = (2np + 4.841 + 1.96 sqrt(3.841 + (2x + 1)(2n - 2x - 1)/n)) / (2(n + 3.841))
// with Newcombe's convention at the ends: L = 0 for x = 0 and U = 1 for x = n,
// so the observed rate always lies inside its interval. Empty when n is 0.
std::optional<RateLimits> ScoreLimits(double x, double n);

// "21.664～56.251%": each limit in percent, rounded half up to 3 decimals and
// written without trailing zeros.
std::string LimitsText(const RateLimits& limits);

RateEstimates ComputeRateEstimates(const RateTable& t);

}  // namespace tavelmark::rates
