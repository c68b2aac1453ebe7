#pragma once
// The difference of the two means with its 95% limits from Student's t, once
// with the pooled variance and once Welch's way.
#include <optional>
#include <span>
#include <string>

namespace tavelmark::means {

// Size, mean and variance (divisor n − 1) of one group. A constant group has
// variance exactly 0 and its own value as mean, whatever the rounding of a sum
// would make of them.
struct GroupMoments {
    int n = 0;
    std::optional<double> mean;      // none when the sum leaves double precision
    std::optional<double> variance;  // none below 2 values, or beyond double precision
};
GroupMoments MomentsOf(std::span<const double> values);

struct MeanDifferenceInterval {
    std::optional<double> df, lower, upper;
    std::string reason;  // why there are no limits
};

// Student's t with n1 + n2 − 2 df and the pooled variance.
MeanDifferenceInterval PooledInterval(const GroupMoments& t, const GroupMoments& r);
// Welch's t with Satterthwaite's fractional df, not truncated.
MeanDifferenceInterval WelchInterval(const GroupMoments& t, const GroupMoments& r);

}  // namespace tavelmark::means
