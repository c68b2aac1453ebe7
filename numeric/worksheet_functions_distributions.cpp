// Distribution worksheet functions: CHIDIST, FINV, TDIST and TINV, each with
// the argument checks and degrees-of-freedom truncation the spreadsheet
// documents. Upper tails come from boost::math::complement, never from
// 1 - cdf, so that small P values keep their digits.
#include "numeric/worksheet_functions.h"

#include <cmath>

#include <boost/math/distributions/chi_squared.hpp>
// The library's F quantile trips a false maybe-uninitialized warning in GCC 12.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <boost/math/distributions/fisher_f.hpp>
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
#include <boost/math/distributions/students_t.hpp>

#include "numeric/finite.h"
#include "numeric/worksheet_functions_detail.h"

namespace tavelmark::numeric::wsf {

using detail::Policy;
using detail::WholeDegreesOfFreedom;

std::optional<double> Chidist(double x, double df) {
    const auto whole = WholeDegreesOfFreedom(df);
    if (!whole || !std::isfinite(x) || x < 0.0) return std::nullopt;
    const boost::math::chi_squared_distribution<double, Policy> chi(*whole);
    return Finite(cdf(complement(chi, x)));
}

// Refuses p outside [0, 1]; p = 0 asks for an infinite F and is refused too.
std::optional<double> Finv(double p, double df1, double df2) {
    const auto whole1 = WholeDegreesOfFreedom(df1);
    const auto whole2 = WholeDegreesOfFreedom(df2);
    if (!whole1 || !whole2 || !(p > 0.0 && p <= 1.0)) return std::nullopt;
    const boost::math::fisher_f_distribution<double, Policy> f(*whole1, *whole2);
    return Finite(quantile(complement(f, p)));
}

// TDIST's own limits: x not negative, at least 1 degree of freedom (its
// documentation sets no upper limit: 9999 stands for the normal), tails 1 or 2.
std::optional<double> Tdist(double x, double df, int tails) {
    if (!std::isfinite(df) || std::trunc(df) < 1.0) return std::nullopt;
    if (!std::isfinite(x) || x < 0.0 || (tails != 1 && tails != 2)) return std::nullopt;
    const boost::math::students_t_distribution<double, Policy> t(std::trunc(df));
    return Finite(tails * cdf(complement(t, x)));
}

// The t whose two-tailed probability is p: the upper p/2 point. Refuses p
// outside (0, 1]; TINV(1, df) = 0.
std::optional<double> Tinv(double p, double df) {
    if (!std::isfinite(df) || std::trunc(df) < 1.0) return std::nullopt;
    if (!(p > 0.0 && p <= 1.0)) return std::nullopt;
    const boost::math::students_t_distribution<double, Policy> t(std::trunc(df));
    return Finite(quantile(complement(t, p / 2.0)));
}

}  // namespace tavelmark::numeric::wsf
