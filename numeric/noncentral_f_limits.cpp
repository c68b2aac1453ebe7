#include "numeric/noncentral_f_limits.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

// The library's F quantile trips a false maybe-uninitialized warning in GCC 12.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/non_central_f.hpp>
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
#include <boost/math/tools/toms748_solve.hpp>

namespace tavelmark::numeric {

namespace {

// The λ with P(F' ≤ f | λ) = target; the probability falls as λ grows.
double NoncentralityAt(double f, double df1, double df2, double target) {
    const auto below = [&](double lambda) {
        if (lambda == 0) return boost::math::cdf(boost::math::fisher_f_distribution<double>(df1, df2), f);
        return boost::math::cdf(boost::math::non_central_f_distribution<double>(df1, df2, lambda), f);
    };
    const double atZero = below(0) - target;
    if (atZero <= 0) return 0;
    double high = std::max(1.0, f * df1);
    double atHigh = below(high) - target;
    while (atHigh > 0) {
        high *= 2;
        atHigh = below(high) - target;
    }
    std::uintmax_t iterations = 200;
    const auto root = boost::math::tools::toms748_solve([&](double l) { return below(l) - target; }, 0.0, high, atZero,
                                                        atHigh, boost::math::tools::eps_tolerance<double>(40),
                                                        iterations);
    return (root.first + root.second) / 2;
}

}  // namespace

std::optional<NoncentralityLimits> FNoncentralityLimits(double f, double df1, double df2, double level) {
    if (!std::isfinite(f) || f < 0 || !(df1 > 0) || !(df2 > 0) || !(level > 0 && level < 1)) return std::nullopt;
    return NoncentralityLimits{NoncentralityAt(f, df1, df2, (1 + level) / 2),
                               NoncentralityAt(f, df1, df2, (1 - level) / 2)};
}

}  // namespace tavelmark::numeric
