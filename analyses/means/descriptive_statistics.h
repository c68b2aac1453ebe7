#pragma once
// Descriptive statistics of one group, each from the worksheet function of
// the same meaning; a statistic the function refuses stays empty.
#include <optional>
#include <span>

namespace tavelmark::means {

struct GroupDescription {
    int n = 0;
    std::optional<double> mean, sd;
    std::optional<double> maximum, minimum, median, lowerQuartile, upperQuartile, mode;
    std::optional<double> harmonicMean, geometricMean, skewness, kurtosis;
    // sd * multiplier / sqrt(n), with the fixed normal multipliers of
    // numeric/normal_quantile.h
    std::optional<double> halfWidth95, halfWidth99;
};

GroupDescription DescribeGroup(std::span<const double> values);

}  // namespace tavelmark::means
