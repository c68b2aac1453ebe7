#include "analyses/means/variance_test.h"

#include <cmath>

#include "numeric/worksheet_functions.h"

namespace tavelmark::means {

const char* VarianceText(bool homogeneous) { return homogeneous ? "方差相齐" : "方差不齐"; }

VarianceTest TestVariances(int n1, std::optional<double> sd1, int n2, std::optional<double> sd2) {
    VarianceTest v;
    if (!sd1 || !sd2) return v;
    const bool firstLarger = *sd1 > *sd2;
    const double larger = firstLarger ? *sd1 : *sd2;
    const double smaller = firstLarger ? *sd2 : *sd1;
    v.numeratorDf = (firstLarger ? n1 : n2) - 1;
    v.denominatorDf = (firstLarger ? n2 : n1) - 1;
    v.f05 = numeric::wsf::Finv(0.05, v.numeratorDf, v.denominatorDf);
    if (smaller > 0) {
        const double ratio = larger / smaller;
        const double f = ratio * ratio;
        if (std::isfinite(f)) v.f = f;
    }
    if (v.f) {
        v.homogeneous = !(v.f05 && *v.f >= *v.f05);
    } else {
        // The ratio is infinite (one group constant, the other not, or an
        // overflow), which is as unequal as variances get. Both constant: equal.
        v.homogeneous = larger == 0;
    }
    return v;
}

}  // namespace tavelmark::means
