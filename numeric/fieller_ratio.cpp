#include "numeric/fieller_ratio.h"

#include <algorithm>
#include <cmath>

namespace tavelmark::numeric {

FiellerRatio FiellerRatioLimits(double a, double b, double vaa, double vbb, double vab, double t) {
    FiellerRatio out;
    out.m = a / b;
    out.g = t * t * vbb / (b * b);
    if (!(out.g < 1) || !(vbb > 0)) return out;
    const double m = out.m, g = out.g;
    // The quadratic under the root is a variance and cannot be negative;
    // rounding can take a value of nearly 0 just below it.
    const double under = std::max(0.0, vaa - 2 * m * vab + m * m * vbb - g * (vaa - vab * vab / vbb));
    const double centre = m - g * vab / vbb;
    const double half = t / std::fabs(b) * std::sqrt(under);
    out.lower = (centre - half) / (1 - g);
    out.upper = (centre + half) / (1 - g);
    if (!std::isfinite(*out.lower) || !std::isfinite(*out.upper)) out.lower = out.upper = std::nullopt;
    return out;
}

}  // namespace tavelmark::numeric
