#pragma once
// What the main table says about the recommended test: its statistic text,
// the professional conclusion and the two lines of the recommendation.
#include <optional>
#include <string>

#include "analyses/means/means_analysis.h"

namespace tavelmark::means {

// "t = ", "t' = " or "U = " followed by the statistic rounded to 4 decimals
// in its shortest form; kNotComputable in place of a missing statistic.
std::string StatisticText(const char* label, std::optional<double> statistic);
// The label of the recommended test's statistic.
const char* StatisticLabel(MeansMethod method);

// "T组>R组", "T组<R组" when P ≤ 0.05, "尚不足于下结论" above; "" for equal
// means; kNotComputable without P (or without a mean when P ≤ 0.05).
std::string ProfessionalConclusion(std::optional<double> pTwoSided, std::optional<double> meanT,
                                   std::optional<double> meanR);

struct RecommendationLines {
    const char* first;
    const char* second;
};
RecommendationLines RecommendationFor(MeansMethod method);

}  // namespace tavelmark::means
