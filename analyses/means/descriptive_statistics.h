#pragma once
// Descriptive statistics of one group, each from the worksheet function of
// the same meaning; a statistic the function refuses stays empty.
#include <optional>
#include <span>

namespace tavelmark {

// Fixed normal multipliers of the report's 95% and 99% half-widths.
inline constexpr double kHalfWidth95 = 1.960202098;
inline constexpr double kHalfWidth99 = 2.576325642;

struct GroupDescription {
    int n = 0;
    std::optional<double> mean, sd;
    std::optional<double> maximum, minimum, median, lowerQuartile, upperQuartile, mode;
    std::optional<double> harmonicMean, geometricMean, skewness, kurtosis;
    std::optional<double> halfWidth95, halfWidth99;  // sd * multiplier / sqrt(n)
};

GroupDescription DescribeGroup(std::span<const double> values);

}  // namespace tavelmark
