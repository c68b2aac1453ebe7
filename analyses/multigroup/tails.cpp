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

namespace {

// Arguments no data can produce come back as NaN, which the callers turn
// into a figure that could not be computed, instead of an exception.
using Quiet = boost::math::policies::policy<boost::math::policies::domain_error<boost::math::policies::ignore_error>,
                                            boost::math::policies::overflow_error<boost::math::policies::ignore_error>,
                                            boost::math::policies::evaluation_error<boost::math::policies::ignore_error>>;

}  // namespace

double FUpper(double f, double df1, double df2) {
    return boost::math::cdf(boost::math::complement(boost::math::fisher_f_distribution<double, Quiet>(df1, df2), f));
}

double ChiSquareUpper(double x, double df) {
    return boost::math::cdf(boost::math::complement(boost::math::chi_squared_distribution<double, Quiet>(df), x));
}

double TTwoSided(double t, double df) {
    return 2 * boost::math::cdf(boost::math::complement(boost::math::students_t_distribution<double, Quiet>(df), std::fabs(t)));
}

double TPoint(double p, double df) {
    return boost::math::quantile(boost::math::complement(boost::math::students_t_distribution<double, Quiet>(df), p / 2));
}

double ZTwoSided(double z) { return std::erfc(std::fabs(z) / std::sqrt(2.0)); }

}  // namespace tavelmark::multigroup
