#pragma once
// P values as the report writes them in words: four decimals, and "<0.0001"
// below, never 0.
#include <string>

namespace tavelmark::multigroup {

inline constexpr double kSmallestShownP = 0.0001;

std::string PText(double p);

// The significance mark of a P value, on the two-group report's rule (0.05
// itself is significant): "" above 0.05, one mark up to 0.05, two up to 0.01.
std::string SignificanceMark(double p, const std::string& mark);

}  // namespace tavelmark::multigroup
