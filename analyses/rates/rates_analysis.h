#pragma once
// Everything the two-group rates analysis computes from an accepted table
// before it writes its report.
#include <array>
#include <optional>

#include "analyses/rates/chi_square.h"
#include "analyses/rates/equivalence.h"
#include "analyses/rates/fisher_exact.h"
#include "analyses/rates/pooled_tests.h"
#include "analyses/rates/rate_estimates.h"
#include "analyses/rates/rate_table.h"

namespace tavelmark::rates {

// The P value of each test row; empty with its statistic.
struct TestPValues {
    std::optional<double> pearson, yates, mantelHaenszel, likelihoodRatio;  // χ² with 1 df
    std::optional<double> t, u, uPrime;
};

// Everything the report shows, computed before a cell is written.
struct RatesResults {
    RateTable table;
    RateEstimates estimates;
    ChiSquares chiSquares;
    PooledTests pooled;
    FisherProbabilities fisher;
    ExpectedCounts expected;
    TestPValues p;
    std::array<SampleSize, 4> sampleSizes;
    std::array<EquivalenceMargin, 6> equivalence;
    bool yatesAdvice = false;   // N above 200: read the Yates statistic
    bool fisherAdvice = false;  // small counts: read Fisher's two-sided P
};

// In the order the calculation runs: rates and odds, the chi-square family,
// the pooled tests, Fisher's probabilities (N <= 200), the expected counts,
// the P values of the test rows, sample sizes and equivalence.
RatesResults ComputeRates(const RateTable& table);

}  // namespace tavelmark::rates
