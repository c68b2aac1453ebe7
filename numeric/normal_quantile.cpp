#include "numeric/normal_quantile.h"

#include <boost/math/distributions/normal.hpp>

#include "numeric/worksheet_functions.h"

namespace tavelmark::numeric {

std::optional<double> ReportNormalPoint(double twoSidedP) {
    return wsf::Tinv(twoSidedP, kNormalDegreesOfFreedom);
}

std::optional<double> ReportNormalTwoSidedP(double z) {
    return wsf::Tdist(z, kNormalDegreesOfFreedom, 2);
}

std::optional<double> ReportNormalUpperP(double z) {
    return wsf::Tdist(z, kNormalDegreesOfFreedom, 1);
}

namespace {
const boost::math::normal_distribution<double> kStandardNormal;
}

double NormalQuantile(double p) { return quantile(kStandardNormal, p); }

double NormalUpperTail(double z) { return cdf(complement(kStandardNormal, z)); }

}  // namespace tavelmark::numeric
