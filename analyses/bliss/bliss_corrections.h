#pragma once
// The two corrections of the LD50 limits: Fieller's interval, which allows for
// the uncertainty of the slope, and the limits widened for heterogeneity.
#include <optional>

#include "analyses/bliss/bliss_types.h"

namespace tavelmark::bliss {

// Fieller's limits of the classic fit, from its sums and the fixed
// multiplier; empty when g >= 1 (the slope is not significantly different
// from 0 and the interval is unbounded).
std::optional<BlissLimits> ClassicFiellerLimits(const BlissFit& fit);

// Sets t, SbH, gH and the heterogeneity limits from chi2 / df. Leaves them
// empty when a value cannot be formed (no t for the degrees of freedom, an
// overflowing limit).
void ApplyHeterogeneityCorrection(BlissFit& fit);

}  // namespace tavelmark::bliss
