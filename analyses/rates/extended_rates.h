#pragma once
// The extended results of the two-group rates analysis: each rate with its
// Wilson limits, the difference, relative risk and odds ratios of T against R
// with their intervals, Fisher's mid-P and the number needed to treat.
#include <optional>
#include <string>

#include "analyses/rates/rate_table.h"
#include "model/workbook.h"

namespace tavelmark::rates {

// An estimate with its 95 % limits. A ratio whose count sits at the end of its
// range is +infinity in theory: it is held as an empty value with its
// `...Infinite` flag set, so nothing here is ever NaN or infinity. `reason`
// says why a value or its limits are missing.
struct ExtendedFigure {
    std::optional<double> estimate, lower, upper;
    bool estimateInfinite = false;
    bool upperInfinite = false;
    std::string reason;
};

// A rate with its Wilson score limits (no continuity correction).
struct RateWithLimits {
    double rate = 0;
    double lower = 0;
    double upper = 0;
};

// Which group's positive rate is the higher. A positive response may be a
// benefit or a harm, so the direction is named by the rates, not as NNTB or
// NNTH.
enum class NumberNeededKind { THigher, RHigher, Equal };

// One part of the number-needed interval; `to` empty: it runs to infinity.
struct NumberNeededRange {
    double from = 0;
    std::optional<double> to;
};

// The number needed to treat, 1 / |T − R|. Its interval comes from the limits
// of the difference; one that crosses 0 has both parts, each running to
// infinity (Altman's "NNTB 1/U to infinity to NNTH 1/|L|", here "T higher"
// and "R higher").
struct NumberNeeded {
    NumberNeededKind kind = NumberNeededKind::Equal;
    std::optional<double> value;  // 1 / |difference|; empty when the rates are equal
    std::optional<NumberNeededRange> tHigher;  // where T's rate is the higher
    std::optional<NumberNeededRange> rHigher;  // where R's rate is the higher
    bool crossesZero = false;  // the difference's interval does not leave out 0
    std::string reason;
};

struct ExtendedRates {
    // For the bar chart of the two rates as well as the sheet. Empty only for
    // an empty group, which the input check refuses.
    std::optional<RateWithLimits> rateR, rateT;
    ExtendedFigure difference;            // p2 - p1, Newcombe's hybrid score limits
    ExtendedFigure relativeRisk;          // p2 / p1, Katz's log limits
    ExtendedFigure oddsRatio;             // b c / (a d), Woolf's limits
    ExtendedFigure conditionalOddsRatio;  // conditional MLE, exact conditional limits
    std::optional<double> midP;           // Fisher's two-sided mid-P
    std::string midPReason;
    NumberNeeded numberNeeded;
};

ExtendedRates ComputeExtendedRates(const RateTable& table);

inline constexpr const char* kExtendedRatesTitle = "两组阳性率比较 扩展结果";

// Adds the "扩展结果" sheet after the report's own.
void WriteExtendedResults(model::Workbook& book, const ExtendedRates& results);

}  // namespace tavelmark::rates
