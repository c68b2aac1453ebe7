#pragma once
// Tests of the two rates through their pooled standard error: a t test with
// N - 1 degrees of freedom, the U test and the continuity-corrected U' test
// (both read against the normal distribution).
#include <optional>

#include "analyses/rates/rate_table.h"

namespace tavelmark::rates {

struct PooledTests {
    std::optional<double> standardError;  // S
    std::optional<double> t;
    std::optional<double> u;
    std::optional<double> uPrime;  // 0 when the difference is below the correction
};

// S = sqrt((1/n1 + 1/n2) pc (1 - pc)) with the pooled rate pc = m1 / N. An S
// of 0 or one that cannot be computed leaves S, t, U and U' empty.
std::optional<double> PooledStandardError(const RateTable& t);

// t = |(c - 0.5)/n2 - (a - 0.5)/n1| / S; U = |c/n2 - a/n1| / S;
// U' = max(0, |c/n2 - a/n1| - (1/n1 + 1/n2)/2) / S.
PooledTests ComputePooledTests(const RateTable& t);

// The P values of the report rows: TDIST(t, N - 1, 2), TDIST(U, 9999, 2) and
// TDIST(U', 9999, 2); empty with their statistic or when refused (N < 2).
std::optional<double> TTestP(const PooledTests& tests, const RateTable& t);
std::optional<double> UTestP(const PooledTests& tests);
std::optional<double> UPrimeTestP(const PooledTests& tests);

}  // namespace tavelmark::rates
