#pragma once
// Fieller's confidence limits for a ratio m = a / b of two estimates with a
// known covariance (Fieller 1954, J R Stat Soc B 16:175; Finney, Probit
// Analysis, 3rd ed., 1971, sec. 4.5): a log dose (a = target - intercept,
// b = slope) or a log potency ratio (a = difference of intercepts, b = the
// common slope).
#include <optional>

namespace tavelmark::numeric {

struct FiellerRatio {
    double m = 0;  // a / b
    double g = 0;  // t^2 var(b) / b^2
    // Present only for g < 1: otherwise the confidence set is not a finite
    // interval.
    std::optional<double> lower, upper;
};

// vaa, vbb, vab the variances and covariance of a and b, t the multiplier
// (the normal point, or Student's t):
//   m_L,U = [m - g vab / vbb -/+ (t / |b|) sqrt(vaa - 2 m vab + m^2 vbb - g (vaa - vab^2 / vbb))] / (1 - g).
FiellerRatio FiellerRatioLimits(double a, double b, double vaa, double vbb, double vab, double t);

}  // namespace tavelmark::numeric
