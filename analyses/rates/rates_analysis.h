#pragma once
// Everything the two-group rates analysis computes from an accepted table
// before it writes its report.
#include "analyses/rates/chi_square.h"
#include "analyses/rates/fisher_exact.h"
#include "analyses/rates/pooled_tests.h"
#include "analyses/rates/rate_estimates.h"
#include "analyses/rates/rate_table.h"

namespace tavelmark::rates {

struct RatesResults {
    RateTable table;
    RateEstimates estimates;
    ChiSquares chiSquares;
    PooledTests pooled;
    FisherProbabilities fisher;
    ExpectedCounts expected;
    bool yatesAdvice = false;   // N above 200: read the Yates statistic
    bool fisherAdvice = false;  // small counts: read Fisher's two-sided P
};

// In the order the calculation runs: rates and odds, the chi-square family,
// the pooled tests, Fisher's probabilities (N <= 200) and the expected counts.
RatesResults ComputeRates(const RateTable& table);

}  // namespace tavelmark::rates
