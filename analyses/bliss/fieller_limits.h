#pragma once
// Fieller's confidence limits for the log dose at which a fitted line
// a + b x reaches a given value.
#include <optional>

namespace tavelmark::bliss {

struct FiellerLogDose {
    double x = 0;  // (target - a) / b
    double g = 0;  // z^2 Var(b) / b^2
    // Both limits on the log scale, present only for g < 1: otherwise the
    // confidence set is not a finite interval.
    std::optional<double> lower, upper;
};

// a, b the intercept and slope, v00, v01, v11 their covariance, z the normal
// multiplier of the interval.
FiellerLogDose FiellerLimits(double target, double a, double b, double v00, double v01, double v11,
                             double z);

}  // namespace tavelmark::bliss
