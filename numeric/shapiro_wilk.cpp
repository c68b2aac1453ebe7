#include "numeric/shapiro_wilk.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include <boost/math/distributions/normal.hpp>

namespace tavelmark::numeric {

namespace {

// Σ c_i x^i.
template <std::size_t N>
double Polynomial(const double (&c)[N], double x) {
    double sum = 0;
    for (std::size_t i = N; i-- > 0;) sum = sum * x + c[i];
    return sum;
}

// Royston (1992) eq. for the largest and second largest coefficient, in
// u = 1/√n, added to the normalised expected order statistic.
constexpr double kLargest[] = {0.0, 0.221157, -0.147981, -2.071190, 4.434685, -2.706056};
constexpr double kSecondLargest[] = {0.0, 0.042981, -0.293762, -1.752461, 5.682633, -3.582633};
// Royston (1995): for 4 ≤ n ≤ 11, −log(γ − log(1 − W)) is about normal with
// mean and log SD cubic in n, γ linear in n; for n ≥ 12, log(1 − W) is, with
// mean cubic and log SD quadratic in log n.
constexpr double kGamma[] = {-2.273, 0.459};
constexpr double kSmallMean[] = {0.5440, -0.39978, 0.025054, -6.714e-4};
constexpr double kSmallLogSd[] = {1.3822, -0.77857, 0.062767, -0.0020322};
constexpr double kLargeMean[] = {-1.5861, -0.31082, -0.083751, 0.0038915};
constexpr double kLargeLogSd[] = {-0.4803, -0.082676, 0.0030302};

// The antisymmetric coefficients a_1 ≤ ... ≤ a_n, Σa = 0, Σa² = 1.
std::vector<double> Coefficients(int n) {
    std::vector<double> a(static_cast<std::size_t>(n));
    if (n == 3) {
        a = {-std::numbers::sqrt2 / 2, 0.0, std::numbers::sqrt2 / 2};
        return a;
    }
    // Blom's approximation to the expected normal order statistics.
    const boost::math::normal_distribution<double> normal;
    std::vector<double> m(static_cast<std::size_t>(n));
    double sumSquares = 0;
    for (int i = 0; i < n; ++i) {
        m[i] = boost::math::quantile(normal, (i + 1 - 0.375) / (n + 0.25));
        sumSquares += m[i] * m[i];
    }
    const double u = 1 / std::sqrt(static_cast<double>(n));
    const double norm = std::sqrt(sumSquares);
    const double largest = m[n - 1] / norm + Polynomial(kLargest, u);
    int corrected = 1;
    double fixedSquares = 2 * largest * largest, droppedSquares = 2 * m[n - 1] * m[n - 1];
    double second = 0;
    if (n > 5) {
        second = m[n - 2] / norm + Polynomial(kSecondLargest, u);
        corrected = 2;
        fixedSquares += 2 * second * second;
        droppedSquares += 2 * m[n - 2] * m[n - 2];
    }
    const double scale = std::sqrt((sumSquares - droppedSquares) / (1 - fixedSquares));
    for (int i = corrected; i < n - corrected; ++i) a[i] = m[i] / scale;
    a[n - 1] = largest;
    a[0] = -largest;
    if (corrected == 2) {
        a[n - 2] = second;
        a[1] = -second;
    }
    return a;
}

double PValue(double w, int n) {
    if (n == 3) {
        // Exact for three values (Shapiro & Wilk 1965): W ranges over [3/4, 1].
        const double p = 6 / std::numbers::pi * (std::asin(std::sqrt(w)) - std::asin(std::sqrt(0.75)));
        return std::clamp(p, 0.0, 1.0);
    }
    const double y = std::log1p(-w);
    double z = 0;
    if (n <= 11) {
        const double gamma = Polynomial(kGamma, n);
        // W so small that the transformation leaves its range: P beyond any
        // double's reach of 0.
        if (y >= gamma) return 0;
        z = (-std::log(gamma - y) - Polynomial(kSmallMean, n)) / std::exp(Polynomial(kSmallLogSd, n));
    } else {
        const double ln = std::log(static_cast<double>(n));
        z = (y - Polynomial(kLargeMean, ln)) / std::exp(Polynomial(kLargeLogSd, ln));
    }
    return 0.5 * std::erfc(z / std::numbers::sqrt2);
}

}  // namespace

std::optional<ShapiroWilk> ShapiroWilkTest(std::span<const double> values) {
    const int n = static_cast<int>(values.size());
    if (n < kShapiroWilkFewest || n > kShapiroWilkMost) return std::nullopt;
    if (!std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); })) return std::nullopt;
    std::vector<double> x(values.begin(), values.end());
    std::sort(x.begin(), x.end());
    if (x.front() == x.back()) return std::nullopt;

    double mean = 0;
    for (double v : x) mean += v;
    mean /= n;
    double spread = 0;
    for (double v : x) spread += (v - mean) * (v - mean);
    const std::vector<double> a = Coefficients(n);
    double weighted = 0;
    for (int i = 0; i < n; ++i) weighted += a[i] * (x[i] - mean);
    const double w = std::min(weighted * weighted / spread, 1.0);
    return ShapiroWilk{w, PValue(w, n)};
}

}  // namespace tavelmark::numeric
