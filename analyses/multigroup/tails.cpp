#include "analyses/multigroup/tails.h"

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

namespace tavelmark::multigroup {

double FUpper(double f, double df1, double df2) {
    return boost::math::cdf(boost::math::complement(boost::math::fisher_f_distribution<double>(df1, df2), f));
}

double ChiSquareUpper(double x, double df) {
    return boost::math::cdf(boost::math::complement(boost::math::chi_squared_distribution<double>(df), x));
}

double TTwoSided(double t, double df) {
    return 2 * boost::math::cdf(boost::math::complement(boost::math::students_t_distribution<double>(df), std::fabs(t)));
}

double TPoint(double p, double df) {
    return boost::math::quantile(boost::math::complement(boost::math::students_t_distribution<double>(df), p / 2));
}

double ZTwoSided(double z) { return std::erfc(std::fabs(z) / std::sqrt(2.0)); }

}  // namespace tavelmark::multigroup
