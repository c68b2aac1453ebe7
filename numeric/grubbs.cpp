#include "numeric/grubbs.h"

#include <algorithm>
#include <cmath>

#include <boost/math/distributions/students_t.hpp>

namespace tavelmark::numeric {

std::vector<int> GrubbsFlagged(std::span<const double> values, std::optional<double> mean,
                               std::optional<double> sd, double critical) {
    std::vector<int> flagged;
    // All values equal: no value stands out, and G would be 0/0.
    if (!mean || !sd || !(*sd > 0)) return flagged;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double g = std::fabs(values[i] - *mean) / *sd;
        if (g >= critical) flagged.push_back(static_cast<int>(i));
    }
    return flagged;
}

std::optional<double> GrubbsCriticalPoint(int n, double alpha, bool twoSided) {
    if (n < 3 || !(alpha > 0 && alpha < 1)) return std::nullopt;
    const double perValue = alpha / (twoSided ? 2.0 * n : static_cast<double>(n));
    const double t = boost::math::quantile(
        boost::math::complement(boost::math::students_t_distribution<double>(n - 2), perValue));
    return (n - 1) / std::sqrt(static_cast<double>(n)) * std::sqrt(t * t / (n - 2 + t * t));
}

std::optional<double> GrubbsPValue(double g, int n, bool twoSided) {
    if (n < 3 || !std::isfinite(g) || g < 0) return std::nullopt;
    // G as the t of the value against the mean of the others (the inverse of
    // the point above).
    const double largest = (n - 1) * (n - 1) - n * g * g;
    if (largest <= 0) return 0.0;
    const double t = std::sqrt(n * (n - 2) * g * g / largest);
    const double tail = boost::math::cdf(boost::math::complement(boost::math::students_t_distribution<double>(n - 2), t));
    return std::min(1.0, (twoSided ? 2.0 * n : static_cast<double>(n)) * tail);
}

}  // namespace tavelmark::numeric
