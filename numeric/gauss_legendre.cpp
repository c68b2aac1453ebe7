#include "numeric/gauss_legendre.h"

#include <cmath>
#include <numbers>

namespace tavelmark::numeric {

namespace {

struct LegendreValue {
    double p = 0;           // P_n(x)
    double derivative = 0;  // P_n'(x)
};

// The three-term recurrence (k + 1) P_{k+1} = (2k + 1) x P_k - k P_{k-1}.
LegendreValue Legendre(int n, double x) {
    double previous = 1, current = x;
    for (int k = 1; k < n; ++k) {
        const double next = ((2 * k + 1) * x * current - k * previous) / (k + 1);
        previous = current;
        current = next;
    }
    return {current, n * (x * current - previous) / (x * x - 1)};
}

}  // namespace

GaussLegendreRule MakeGaussLegendreRule(int n) {
    GaussLegendreRule rule;
    rule.nodes.resize(static_cast<std::size_t>(n));
    rule.weights.resize(static_cast<std::size_t>(n));
    if (n == 1) {
        rule.nodes[0] = 0;
        rule.weights[0] = 2;
        return rule;
    }
    for (int i = 0; i < n; ++i) {
        // Tricomi's guess for the i-th largest root; Newton converges in a few steps.
        double x = std::cos(std::numbers::pi * (i + 0.75) / (n + 0.5));
        for (int step = 0; step < 100; ++step) {
            const double dx = Legendre(n, x).p / Legendre(n, x).derivative;
            x -= dx;
            if (std::fabs(dx) <= 1e-16) break;
        }
        const double d = Legendre(n, x).derivative;
        // Largest root first from the guess; stored ascending.
        const auto at = static_cast<std::size_t>(n - 1 - i);
        rule.nodes[at] = x;
        rule.weights[at] = 2 / ((1 - x * x) * d * d);
    }
    return rule;
}

}  // namespace tavelmark::numeric
