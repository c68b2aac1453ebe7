#pragma once
// Exact conditional inference on the 2x2 table: with all margins fixed, the
// number of T positives follows the (noncentral) hypergeometric distribution.
#include "analyses/rates/extended_rates.h"
#include "analyses/rates/rate_table.h"

namespace tavelmark::rates {

// Tables with a wider range of possible T-positive counts are not computed
// exactly (memory and time grow with the range).
inline constexpr double kMaxExactRange = 200000;

// The conditional maximum-likelihood odds ratio (T/R) with its exact
// conditional 95 % limits.
ExtendedFigure ConditionalOddsRatio(const RateTable& table);

struct MidP {
    std::optional<double> p;
    std::string reason;
};

// Fisher's two-sided mid-P: twice the smaller one-sided mid-P.
MidP FisherMidP(const RateTable& table);

}  // namespace tavelmark::rates
