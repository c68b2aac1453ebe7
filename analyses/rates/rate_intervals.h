#pragma once
// Large-sample intervals of the extended rates results. z is the normal
// 97.5 % point throughout.
#include <optional>

#include "analyses/rates/extended_rates.h"
#include "analyses/rates/rate_table.h"

namespace tavelmark::rates {

// Wilson score limits of x positives in n; empty when n is 0.
std::optional<RateWithLimits> WilsonRate(double x, double n);

// T - R with Newcombe's hybrid score limits from the two Wilson intervals.
ExtendedFigure NewcombeDifference(const RateWithLimits& r, const RateWithLimits& t);

ExtendedFigure KatzRelativeRisk(const RateTable& table);
ExtendedFigure WoolfOddsRatio(const RateTable& table);

// The number needed to treat from the difference and its limits.
NumberNeeded AltmanNumberNeeded(const ExtendedFigure& difference);

}  // namespace tavelmark::rates
