#pragma once
// Holm's step-down adjustment of P values for multiple comparisons (Holm
// 1979, Scand J Statist 6:65).
#include <vector>

namespace tavelmark::numeric {

// The adjusted P values in the order given: the i-th smallest of m is
// multiplied by m - i + 1, kept at or above the one before it, and capped at 1.
std::vector<double> HolmAdjusted(const std::vector<double>& p);

}  // namespace tavelmark::numeric
