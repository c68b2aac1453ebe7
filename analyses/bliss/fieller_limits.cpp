#include "analyses/bliss/fieller_limits.h"

#include "numeric/fieller_ratio.h"

namespace tavelmark::bliss {

// The log dose is the ratio (target - a) / b, whose numerator has variance
// V00 and covariance -V01 with b.
FiellerLogDose FiellerLimitsFromCovariance(double target, double a, double b, double v00, double v01,
                                           double v11, double z) {
    const numeric::FiellerRatio f = numeric::FiellerRatioLimits(target - a, b, v00, v11, -v01, z);
    return FiellerLogDose{f.m, f.g, f.lower, f.upper};
}

}  // namespace tavelmark::bliss
