#include "analyses/rates/extended_rates.h"

#include "analyses/rates/conditional_odds_ratio.h"
#include "analyses/rates/rate_intervals.h"

namespace tavelmark::rates {

ExtendedRates ComputeExtendedRates(const RateTable& table) {
    ExtendedRates results;
    results.rateR = WilsonRate(table.a, table.n1);
    results.rateT = WilsonRate(table.c, table.n2);
    if (results.rateR && results.rateT)
        results.difference = NewcombeDifference(*results.rateR, *results.rateT);
    else
        results.difference.reason = "有一组例数为0, 无法计算";
    results.relativeRisk = KatzRelativeRisk(table);
    results.oddsRatio = WoolfOddsRatio(table);
    results.conditionalOddsRatio = ConditionalOddsRatio(table);
    const MidP midP = FisherMidP(table);
    results.midP = midP.p;
    results.midPReason = midP.reason;
    results.numberNeeded = AltmanNumberNeeded(results.difference);
    return results;
}

}  // namespace tavelmark::rates
