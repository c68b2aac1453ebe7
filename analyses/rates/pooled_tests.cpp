#include "analyses/rates/pooled_tests.h"

#include <algorithm>
#include <cmath>

#include "analyses/rates/checked_math.h"
#include "numeric/finite.h"
#include "numeric/normal_quantile.h"
#include "numeric/worksheet_functions.h"

namespace tavelmark::rates {

namespace wsf = numeric::wsf;

std::optional<double> PooledStandardError(const RateTable& t) {
    const auto pooled = rates::Divide(t.m1, t.N);
    const auto inverse1 = rates::Divide(1, t.n1);
    const auto inverse2 = rates::Divide(1, t.n2);
    if (!pooled || !inverse1 || !inverse2) return std::nullopt;
    const auto s = rates::SquareRoot((*inverse1 + *inverse2) * *pooled * (1 - *pooled));
    if (!s || *s == 0) return std::nullopt;
    return s;
}

PooledTests ComputePooledTests(const RateTable& t) {
    PooledTests tests;
    tests.standardError = PooledStandardError(t);
    if (!tests.standardError) return tests;
    const double s = *tests.standardError;
    // S exists only when both groups have subjects, so the divisions below are safe.
    const double difference = std::fabs(t.c / t.n2 - t.a / t.n1);
    tests.t = numeric::Finite(std::fabs((t.c - 0.5) / t.n2 - (t.a - 0.5) / t.n1) / s);
    tests.u = numeric::Finite(difference / s);
    // The continuity correction is clipped at the difference, as in Yates'
    // chi-square (and R's prop.test): a P value of 1, never a larger statistic.
    tests.uPrime = numeric::Finite(std::max(0.0, difference - (1 / t.n1 + 1 / t.n2) / 2) / s);
    return tests;
}

std::optional<double> TTestP(const PooledTests& tests, const RateTable& t) {
    if (!tests.t) return std::nullopt;
    return wsf::Tdist(*tests.t, t.N - 1, 2);
}

std::optional<double> UTestP(const PooledTests& tests) {
    if (!tests.u) return std::nullopt;
    return numeric::ReportNormalTwoSidedP(*tests.u);
}

std::optional<double> UPrimeTestP(const PooledTests& tests) {
    if (!tests.uPrime) return std::nullopt;
    return numeric::ReportNormalTwoSidedP(*tests.uPrime);
}

}  // namespace tavelmark::rates
