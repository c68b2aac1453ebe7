#pragma once
// Two one-sided t tests of equivalence for six margins around the rate of
// group R, and the number of subjects per group needed to show the observed
// difference at P <= 0.05 for four powers.
#include <array>
#include <optional>
#include <string>
#include <utility>

#include "analyses/rates/rate_table.h"

namespace tavelmark::rates {

struct EquivalenceSide {
    std::optional<double> t;  // empty when the pooled standard error is
    // The side's P cell: a number, the dash shown for t <= 0, or empty (no t,
    // or a P the t distribution refuses, as with N < 3).
    enum class PCell { Empty, Dash, Number } pCell = PCell::Empty;
    std::optional<double> p;
    // "等效合格", "等效不合格", or empty when there is no t to judge by.
    std::string conclusion;
};

struct EquivalenceMargin {
    double margin = 0;
    EquivalenceSide upper;  // (p1 + margin) - p2
    EquivalenceSide lower;  // p2 - (p1 - margin)
};

inline constexpr std::array<double, 6> kEquivalenceMargins{0.05, 0.10, 0.15, 0.20, 0.25, 0.30};
inline constexpr const char* kEquivalent = "等效合格";
inline constexpr const char* kNotEquivalent = "等效不合格";
inline constexpr const char* kNoPDash = "—";

// t = side difference / S with the pooled S; P = TDIST(t, N - 2, 1) for t > 0.
// A side is equivalent only when its P is a number <= 0.05, so a positive t
// whose P cannot be computed is not.
std::array<EquivalenceMargin, 6> ComputeEquivalence(const RateTable& t);

struct SampleSize {
    double power = 0;  // 1 - beta
    double beta = 0;
    std::optional<double> twoSided;  // subjects per group, rounded
    std::optional<double> oneSided;
};

// Powers and their beta, written out so 2 beta is the exact decimal.
inline constexpr std::array<std::pair<double, double>, 4> kSampleSizePowers{
    {{0.70, 0.30}, {0.80, 0.20}, {0.90, 0.10}, {0.95, 0.05}}};

// Arcsine method: n = (z + z_beta)^2 / (2 (asin sqrt p1 - asin sqrt p2)^2) per
// group with the angles in radians (the variance-stabilising angular
// transformation; Cohen, Statistical Power Analysis for the Behavioral
// Sciences, 2nd ed. 1988, ch. 6, with h = 2 asin sqrt p1 - 2 asin sqrt p2). With the angles in degrees, as the printed tables give them,
// the factor becomes 57.3^2 / 2 = 1641.645, written 1641.6 (57.3 the degrees
// in a radian, 57.2958 rounded): n = 1641.6 ((z + z_beta) / delta)^2, delta
// the difference of the arcsine-transformed rates in degrees and the normal
// quantiles taken as TINV(., 9999); rounded half to even. Empty when the rates
// are equal or missing.
std::array<SampleSize, 4> ComputeSampleSizes(const RateTable& t);

// "N1=N2= 45": the size with one leading space reserved for the sign.
std::string SampleSizeText(double size);

}  // namespace tavelmark::rates
