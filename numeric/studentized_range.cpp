#include "numeric/studentized_range.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <boost/math/tools/toms748_solve.hpp>

#include "numeric/gauss_legendre.h"
#include "numeric/scale_of_chi.h"

namespace tavelmark::numeric {

namespace {

// The inner integral, over z, on a fixed grid of panels so that Φ(z) and φ(z)
// are computed once: P(W > w) = k ∫ φ(z) [Φ(z)^m − (Φ(z) − Φ(z − w))^m] dz,
// m = k − 1. The bracket is written as b · Σ_j a^(m−1−j) c^j with a = Φ(z),
// b = Φ(z − w), c = a − b: a sum of positive terms, so a small upper tail
// keeps its digits where the difference of two powers near 1 would lose them.
constexpr double kInnerFirst = -9.0;       // φ(−9) ≈ 1e-18
constexpr double kInnerPanelWidth = 2.0;
constexpr int kInnerPanels = 40;           // to z = 71: w beyond ~100 has no tail left
constexpr int kInnerPoints = 12;
// The integrand of P(W > w) sits within w/2 ± 8.5 (the product φ(z)·φ(z − w)
// falls to 1e-31 of its peak there; for small w the φ(z) factor alone).
constexpr double kInnerHalfSpan = 8.5;

struct InnerNode {
    double z;
    double weightedDensity;  // Gauss–Legendre weight · φ(z)
    double cdf;              // Φ(z)
};

const std::vector<InnerNode>& InnerGrid() {
    static const std::vector<InnerNode> grid = [] {
        const GaussLegendreRule rule = MakeGaussLegendreRule(kInnerPoints);
        std::vector<InnerNode> nodes;
        const double half = kInnerPanelWidth / 2;
        for (int p = 0; p < kInnerPanels; ++p) {
            const double centre = kInnerFirst + (p + 0.5) * kInnerPanelWidth;
            for (int i = 0; i < kInnerPoints; ++i) {
                const double z = centre + half * rule.nodes[i];
                const double density = std::exp(-0.5 * z * z) / std::sqrt(2 * std::numbers::pi);
                nodes.push_back({z, half * rule.weights[i] * density, 0.5 * std::erfc(-z / std::numbers::sqrt2)});
            }
        }
        return nodes;
    }();
    return grid;
}

// One panel's share of the inner integral.
double PanelSum(const std::vector<InnerNode>& grid, int panel, double w, int m) {
    double sum = 0;
    for (int i = 0; i < kInnerPoints; ++i) {
        const InnerNode& node = grid[static_cast<std::size_t>(panel * kInnerPoints + i)];
        const double a = node.cdf;
        const double b = 0.5 * std::erfc((w - node.z) / std::numbers::sqrt2);
        const double c = a - b;
        // Σ_{j<m} a^(m−1−j) c^j, built as T_1 = 1, T_(i+1) = a·T_i + c^i.
        double terms = 1, cPower = 1;
        for (int j = 1; j < m; ++j) {
            cPower *= c;
            terms = a * terms + cPower;
        }
        sum += node.weightedDensity * b * terms;
    }
    return sum;
}

// Panels whose share falls below this part of the sum end the walk: the
// integrand has one peak and falls off faster than exponentially on both
// sides, so what lies beyond is smaller still.
constexpr double kNegligibleShare = 1e-17;

// P(W > w), W the range of k standard normals. The panels are walked outwards
// from the peak's neighbourhood (at w/2 for a wide range, near the largest of
// k normals, about 1.5, for a narrow one), and each walk stops when the
// panels add nothing: for ten means the integrand is gone below z = −2, a
// third of the span.
double RangeUpper(double w, int k) {
    if (w <= 0) return 1;
    const std::vector<InnerNode>& grid = InnerGrid();
    const int m = k - 1;
    const auto panelOf = [](double z) {
        return std::clamp(static_cast<int>(std::floor((z - kInnerFirst) / kInnerPanelWidth)), 0, kInnerPanels - 1);
    };
    const int firstPanel = panelOf(w / 2 - kInnerHalfSpan), lastPanel = panelOf(w / 2 + kInnerHalfSpan);
    const int start = std::clamp(panelOf(std::max(w / 2, 1.5)), firstPanel, lastPanel);
    double sum = 0;
    for (int p = start; p <= lastPanel; ++p) {
        const double share = PanelSum(grid, p, w, m);
        sum += share;
        if (share <= kNegligibleShare * sum) break;
    }
    for (int p = start - 1; p >= firstPanel; --p) {
        const double share = PanelSum(grid, p, w, m);
        sum += share;
        if (share <= kNegligibleShare * sum) break;
    }
    return k * sum;
}

}  // namespace

std::optional<double> StudentizedRangeUpper(double q, int k, double df) {
    if (k < 2 || std::isnan(q) || !(df > 0)) return std::nullopt;
    if (q <= 0) return 1.0;
    if (std::isinf(q)) return 0.0;
    if (std::isinf(df)) return RangeUpper(q, k);
    double sum = 0;
    for (const ScaleNode& node : ScaleOfChiNodes(df)) sum += node.weight * RangeUpper(q * node.s, k);
    return std::min(sum, 1.0);
}

std::optional<double> StudentizedRangeQuantile(double upper, int k, double df) {
    if (k < 2 || !(upper > 0 && upper < 1) || !(df > 0)) return std::nullopt;
    const auto tPoint = [&](double twoSided) {
        if (std::isinf(df))
            return std::numbers::sqrt2 * -boost::math::quantile(boost::math::normal_distribution<double>(), twoSided / 2);
        return std::numbers::sqrt2 *
               boost::math::quantile(boost::math::complement(boost::math::students_t_distribution<double>(df), twoSided / 2));
    };
    // The range of two means is √2·|t|.
    if (k == 2) return tPoint(upper);

    // Between the bounds from the k(k−1)/2 pairwise statistics √2·|t|: the
    // range exceeds q at least as often as one pair does, and at most as often
    // as Šidák's product of the pairs allows (his inequality holds for these
    // positively dependent statistics).
    const double pairs = k * (k - 1) / 2.0;
    const double low = tPoint(upper), high = tPoint(-std::expm1(std::log1p(-upper) / pairs));
    const double target = std::log(upper);
    const auto gap = [&](double q) { return std::log(*StudentizedRangeUpper(q, k, df)) - target; };
    const double gapLow = gap(low), gapHigh = gap(high);
    if (gapLow <= 0) return low;
    if (gapHigh >= 0) return high;
    std::uintmax_t iterations = 100;
    const auto root = boost::math::tools::toms748_solve(gap, low, high, gapLow, gapHigh,
                                                        boost::math::tools::eps_tolerance<double>(40), iterations);
    return (root.first + root.second) / 2;
}

}  // namespace tavelmark::numeric
