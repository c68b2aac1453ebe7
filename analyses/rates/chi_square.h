#pragma once
// The chi-square family of the 2x2 table (one degree of freedom each), the
// expected counts and the two advisories that point the user to the Yates
// statistic or to Fisher's exact probability.
#include <optional>

#include "analyses/rates/rate_table.h"

namespace tavelmark::rates {

struct ChiSquares {
    std::optional<double> pearson;
    std::optional<double> yates;
    std::optional<double> mantelHaenszel;
    std::optional<double> likelihoodRatio;  // G
};

struct ExpectedCounts {
    std::optional<double> a, b, c, d;
};

// The smallest of four numbers, taken in order w, x, y, z.
double MinOfFour(double w, double x, double y, double z);

// Pearson N(ad - bc)^2 / (n1 n2 m1 m2); Yates N max(0, |ad - bc| - N/2)^2 /
// (n1 n2 m1 m2); Mantel-Haenszel Pearson (N - 1) / N; G = 2 sum O ln(O/E)
// written with the margins, an empty cell adding 0 ln 0 = 0. A statistic whose
// formula divides by zero (a margin of 0) is empty; Mantel-Haenszel is empty
// with Pearson.
ChiSquares ComputeChiSquares(const RateTable& t);

ExpectedCounts ComputeExpectedCounts(const RateTable& t);

inline constexpr double kFisherLargestTotal = 200;

inline constexpr const char* kYatesAdviceText = "本例总例数N大于200,建议采用Yates连续校正卡方";
inline constexpr const char* kYatesAdviceTitle = "提示";
inline constexpr const char* kFisherAdviceText = "本例推荐选用Fisher精确概率法(双侧检验)计算";
inline constexpr const char* kFisherAdviceTitle = "提示！";

// Above 200 subjects the exact probabilities are not computed and the user is
// pointed to the Yates statistic.
bool YatesAdviceApplies(const RateTable& t);

// Small samples with a small expected count, or an observed count of 2 or
// less. An expected count that cannot be computed counts as 0.
bool FisherAdviceApplies(const RateTable& t, const ExpectedCounts& expected);

}  // namespace tavelmark::rates
