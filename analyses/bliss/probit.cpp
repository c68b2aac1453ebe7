#include "analyses/bliss/probit.h"

#include <cmath>

#include "numeric/log10.h"

namespace tavelmark::bliss {

double EmpiricalProbit(double P) {
    if (P == 0.5) return 5;
    const double q = P < 0.5 ? P : 1 - P;
    const double t = std::sqrt(-2 * std::log(q));
    // The method's constants: 2.51655 (not 2.515517) and 1.002 (not 1).
    double z = t - (2.51655 + 0.802853 * t + 0.010328 * t * t) /
                       (1.002 + 1.43279 * t + 0.189269 * t * t + 0.001308 * t * t * t);
    if (P < 0.5) z = -z;
    return z + 5;
}

double GroupEmpiricalProbit(double P, double n) {
    if (P == 1) return 6.03 + 0.93 * numeric::Log10(n);
    if (P == 0) return 3.97 - 0.93 * numeric::Log10(n);
    return EmpiricalProbit(P);
}

WorkingProbitValues WorkingProbit(double Y, double P) {
    const double u = std::fabs(Y - 5);
    // Reciprocal of the normal density at u (6.28318 stands for 2 pi).
    const double R = std::sqrt(6.28318) / std::exp(-u * u / 2);
    if (!std::isfinite(R)) return {0, Y};
    const double s = 1 / (1 + 0.231642 * u);
    // Upper tail divided by the density; 1.78147937 is the method's constant.
    const double Q = s * (0.31938153 +
                          s * (-0.356563782 + s * (1.78147937 + s * (-1.821255978 + s * 1.330274429))));
    const double w = 1 / (Q * (R - Q));
    const double V = Y <= 5 ? Q : R - Q;  // Phi(Y - 5) divided by the density
    return {w, Y + R * P - V};
}

}  // namespace tavelmark::bliss
