#include "numeric/quantal_link.h"

#include <cmath>

#include <boost/math/distributions/normal.hpp>

namespace tavelmark::numeric {

namespace {
const boost::math::normal kProbitDistribution;
}

LinkPoint QuantalLinkAt(QuantalLink link, double eta) {
    if (link == QuantalLink::Probit) {
        const double f = boost::math::pdf(kProbitDistribution, eta);
        return {boost::math::cdf(kProbitDistribution, eta),
                boost::math::cdf(boost::math::complement(kProbitDistribution, eta)), f, -eta * f};
    }
    // Logistic: f = F (1 - F), f' = f (1 - 2F), with 1 - 2F written as Q - F.
    const double F = 1 / (1 + std::exp(-eta));
    const double Q = 1 / (1 + std::exp(eta));
    const double f = F * Q;
    return {F, Q, f, f * (Q - F)};
}

double QuantalLinkOf(QuantalLink link, double p) {
    if (link == QuantalLink::Probit) return boost::math::quantile(kProbitDistribution, p);
    return std::log(p / (1 - p));
}

}  // namespace tavelmark::numeric
