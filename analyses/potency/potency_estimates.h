#pragma once
// The figures derived from fitted lines: LDk with Fieller limits, the
// relative potency of two parallel lines, and the LDk ratio of two lines.
#include "analyses/potency/potency_results.h"

namespace tavelmark::potency {

// The dose at which F(a + b x) = k with Fieller's limits; variances as given
// (already multiplied by h), t the multiplier.
Interval FiellerDose(numeric::QuantalLink link, double percent, double a, double b, double vaa, double vab,
                     double vbb, double t);

// Preparation j's LDk on the parallel lines (intercept j, common slope last).
Interval ParallelLDk(const FittedLines& parallel, int j, double percent, numeric::QuantalLink link);

// LD50_i / LD50_j = 10^m, m = (alpha_j - alpha_i) / beta on parallel lines,
// with Fieller's limits: v11 = V_ii + V_jj - 2 V_ij, v22 = V_bb,
// v12 = V_jb - V_ib, g = t^2 v22 / beta^2.
PotencyRatio RelativePotency(const FittedLines& parallel, int i, int j);

// The LDk ratio test of two lines on their own (Robertson et al., Bioassays
// with Arthropods, 2nd ed., 2007; Wheeler, Park & Bailer 2006, Environ
// Toxicol Chem 25:1441): x_k = (q_k - a) / b, var(x_k) = (V_aa + 2 x V_ab +
// x^2 V_bb) / b^2 (times h of a heterogeneous line), log10 R = x_ki - x_kj,
// SE = sqrt(var_i + var_j), limits 10^(log10 R -/+ z SE), two-sided z test.
RatioTest LDkRatioTest(const PreparationLine& first, const PreparationLine& second, int i, int j, double percent,
                       numeric::QuantalLink link);

}  // namespace tavelmark::potency
