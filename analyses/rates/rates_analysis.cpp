#include "analyses/rates/rates_analysis.h"

namespace tavelmark::rates {

RatesResults ComputeRates(const RateTable& table) {
    RatesResults r;
    r.table = table;
    r.estimates = ComputeRateEstimates(table);
    r.chiSquares = ComputeChiSquares(table);
    r.pooled = ComputePooledTests(table);
    r.yatesAdvice = YatesAdviceApplies(table);
    r.fisher = ComputeFisherProbabilities(table);
    r.expected = ComputeExpectedCounts(table);
    r.fisherAdvice = FisherAdviceApplies(table, r.expected);
    return r;
}

}  // namespace tavelmark::rates
