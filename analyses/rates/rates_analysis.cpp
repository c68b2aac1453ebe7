#include "analyses/rates/rates_analysis.h"

#include "numeric/worksheet_functions.h"

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
    auto chiSquareP = [](std::optional<double> statistic) -> std::optional<double> {
        if (!statistic) return std::nullopt;
        return numeric::wsf::Chidist(*statistic, 1);
    };
    r.p.pearson = chiSquareP(r.chiSquares.pearson);
    r.p.yates = chiSquareP(r.chiSquares.yates);
    r.p.mantelHaenszel = chiSquareP(r.chiSquares.mantelHaenszel);
    r.p.likelihoodRatio = chiSquareP(r.chiSquares.likelihoodRatio);
    r.p.t = TTestP(r.pooled, table);
    r.p.u = UTestP(r.pooled);
    r.p.uPrime = UPrimeTestP(r.pooled);
    r.sampleSizes = ComputeSampleSizes(table);
    r.equivalence = ComputeEquivalence(table);
    return r;
}

}  // namespace tavelmark::rates
