#pragma once
// Grubbs' outlier statistic G = |x − mean| / SD of a group, with the exact
// points of its largest value from Student's t (Grubbs, Ann. Math. Statist.
// 21 (1950) 27–58): the most extreme of n normal values reaches
// G = (n − 1)/√n · √(t² / (n − 2 + t²)) when t is the upper α/n point of t with
// n − 2 df (one-sided: the largest, or the smallest, value) or α/(2n)
// (two-sided: either end): n times the tail of one value, the form the
// printed tables of these points are made from.
#include <optional>
#include <span>
#include <vector>

namespace tavelmark::numeric {

// Positions (0-based) of the values whose |x − mean| / sd reaches
// `critical`. None when the sd is 0 or missing.
std::vector<int> GrubbsFlagged(std::span<const double> values, std::optional<double> mean,
                               std::optional<double> sd, double critical);

// The critical G of a group of n ≥ 3 values at level alpha, 0 < alpha < 1.
std::optional<double> GrubbsCriticalPoint(int n, double alpha, bool twoSided);

// The P value of an observed largest G among n ≥ 3 values: the chance that
// the most extreme value of a normal sample (either end when twoSided) lies
// as far out, capped at 1. 0 at G's largest possible value (n − 1)/√n.
std::optional<double> GrubbsPValue(double g, int n, bool twoSided);

}  // namespace tavelmark::numeric
