#pragma once
// Gauss–Legendre quadrature rules on [-1, 1]: the fixed rules of the
// studentized range integrals (Copenhaver & Holland 1988 integrate with them
// panel by panel).
#include <vector>

namespace tavelmark::numeric {

struct GaussLegendreRule {
    std::vector<double> nodes;    // ascending, in (-1, 1)
    std::vector<double> weights;  // summing to 2
};

// The n-point rule, n >= 1: the roots of the Legendre polynomial P_n found by
// Newton's method from Tricomi's first guess, weights 2 / ((1 - x^2) P_n'(x)^2)
// (Abramowitz & Stegun 25.4.29). Exact for polynomials of degree 2n - 1.
GaussLegendreRule MakeGaussLegendreRule(int n);

}  // namespace tavelmark::numeric
