#pragma once
// What the worksheet functions share: the refusal rules every one of them
// applies, and the Boost.Math policy that turns the library's errors into a
// NaN we can refuse instead of an exception.
#include <algorithm>
#include <cmath>
#include <optional>

#include <boost/math/policies/policy.hpp>

#include "numeric/worksheet_functions.h"

namespace tavelmark::numeric::wsf::detail {

// Domain, pole, overflow and evaluation errors come back as NaN or infinity;
// numeric::Finite turns them into an empty result.
using Policy = boost::math::policies::policy<
    boost::math::policies::domain_error<boost::math::policies::ignore_error>,
    boost::math::policies::pole_error<boost::math::policies::ignore_error>,
    boost::math::policies::overflow_error<boost::math::policies::ignore_error>,
    boost::math::policies::evaluation_error<boost::math::policies::ignore_error>>;

inline bool AllFinite(Values x) {
    return std::all_of(x.begin(), x.end(), [](double v) { return std::isfinite(v); });
}

// The spreadsheet truncates a fractional degrees-of-freedom argument and
// refuses fewer than 1 or 10^10 and more (the limit its CHIDIST and FINV
// document). Empty when refused.
inline std::optional<double> WholeDegreesOfFreedom(double df) {
    if (!std::isfinite(df)) return std::nullopt;
    const double whole = std::trunc(df);
    if (whole < 1.0 || whole >= 1e10) return std::nullopt;
    return whole;
}

// Mean with one correction pass (the residual sum of the first estimate), so
// that a large common offset does not eat the last digits. x is not empty.
inline double MeanOf(Values x) {
    double sum = 0.0;
    for (double v : x) sum += v;
    const double first = sum / static_cast<double>(x.size());
    double residual = 0.0;
    for (double v : x) residual += v - first;
    return first + residual / static_cast<double>(x.size());
}

// Sum of squared deviations from the mean, two passes so that data with a
// large common offset (1e8 + small differences) keep their spread.
inline double SquaredDeviations(Values x, double mean) {
    double ss = 0.0;
    for (double v : x) ss += (v - mean) * (v - mean);
    return ss;
}

}  // namespace tavelmark::numeric::wsf::detail
