#pragma once
// The whole computation of the potency comparison, from the checked data.
#include "analyses/potency/potency_results.h"

namespace tavelmark::potency {

PotencyResults ComputePotency(const PotencyData& data, const PotencyOptions& options);

// The model test of `smaller` within `larger`: G^2 = D_smaller - D_larger on
// df degrees of freedom, and F = (G^2 / df) / h on (df, df_larger) when the
// larger model is heterogeneous.
ModelTest CompareModels(const FittedLines& smaller, const FittedLines& larger, int df);

}  // namespace tavelmark::potency
