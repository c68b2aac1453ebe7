#include "analyses/bliss/fieller_limits.h"

#include <cmath>

namespace tavelmark::bliss {

// The limits are the roots r of (t - a - r b)^2 = z^2 (V00 + 2 r V01 + r^2 V11)
// (Fieller 1954, J R Stat Soc B 16:175; Finney, Probit Analysis, 3rd ed.,
// 1971, sec. 4.5).
FiellerLogDose FiellerLimitsFromCovariance(double target, double a, double b, double v00, double v01,
                                           double v11, double z) {
    const double numerator = target - a;
    const double z2 = z * z;
    FiellerLogDose out;
    out.x = numerator / b;
    out.g = z2 * v11 / (b * b);
    if (!(out.g < 1)) return out;
    const double a2 = b * b - z2 * v11;
    const double a1 = numerator * b + z2 * v01;
    const double a0 = numerator * numerator - z2 * v00;
    const double discriminant = a1 * a1 - a2 * a0;
    if (!(discriminant >= 0)) return out;
    const double root = std::sqrt(discriminant);
    out.lower = (a1 - root) / a2;
    out.upper = (a1 + root) / a2;
    return out;
}

}  // namespace tavelmark::bliss
