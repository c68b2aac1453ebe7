#pragma once
// Fieller's confidence limits for the log dose at which a maximum-likelihood
// line a + b x reaches a given value, from the line's covariance matrix.
#include <optional>

namespace tavelmark::bliss {

struct FiellerLogDose {
    double x = 0;  // (target - a) / b
    double g = 0;  // z^2 Var(b) / b^2
    // Both limits on the log scale, present only for g < 1: otherwise the
    // confidence set is not a finite interval.
    std::optional<double> lower, upper;
};

// a, b the intercept and slope, v00, v01, v11 their covariance, z the
// multiplier of the interval (the normal point, or Student's t under
// heterogeneity).
FiellerLogDose FiellerLimitsFromCovariance(double target, double a, double b, double v00, double v01,
                                           double v11, double z);

}  // namespace tavelmark::bliss
