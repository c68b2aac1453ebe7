#include "numeric/brent_root.h"

#include <cmath>
#include <algorithm>
#include <utility>

namespace tavelmark::numeric {

std::optional<double> BrentRoot(const std::function<double(double)>& f, double a, double b, double tolerance) {
    double fa = f(a), fb = f(b);
    if (!std::isfinite(fa) || !std::isfinite(fb) || (fa > 0) == (fb > 0)) {
        if (fa == 0) return a;
        if (fb == 0) return b;
        return std::nullopt;
    }
    double c = a, fc = fa, d = b - a, e = d;
    for (int iteration = 0; iteration < 200; ++iteration) {
        if ((fb > 0) == (fc > 0)) {
            c = a;
            fc = fa;
            d = e = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b, b = c, c = a;
            fa = fb, fb = fc, fc = fa;
        }
        const double tol = 2 * 1e-16 * std::fabs(b) + tolerance / 2;
        const double m = (c - b) / 2;
        if (std::fabs(m) <= tol || fb == 0) return b;
        if (std::fabs(e) >= tol && std::fabs(fa) > std::fabs(fb)) {
            // Inverse quadratic interpolation, or the secant with two points.
            double p, q;
            const double s = fb / fa;
            if (a == c) {
                p = 2 * m * s;
                q = 1 - s;
            } else {
                const double r = fb / fc, t = fa / fc;
                p = s * (2 * m * t * (t - r) - (b - a) * (r - 1));
                q = (t - 1) * (r - 1) * (s - 1);
            }
            if (p > 0) q = -q;
            p = std::fabs(p);
            if (2 * p < std::min(3 * m * q - std::fabs(tol * q), std::fabs(e * q))) {
                e = d;
                d = p / q;
            } else {
                d = m;
                e = m;
            }
        } else {
            d = m;
            e = m;
        }
        a = b;
        fa = fb;
        b += std::fabs(d) > tol ? d : (m > 0 ? tol : -tol);
        fb = f(b);
        if (!std::isfinite(fb)) return std::nullopt;
    }
    return b;
}

}  // namespace tavelmark::numeric
