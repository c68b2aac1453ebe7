#pragma once
// What the report says of each group before any comparison: size, centre and
// spread, the 95% limits of its mean, Grubbs' test of its most extreme value
// (shown, never acted on) and its own Shapiro–Wilk test.
#include <optional>
#include <span>
#include <string>

#include "numeric/shapiro_wilk.h"

namespace tavelmark::multigroup {

struct GroupSummary {
    int n = 0;
    double mean = 0;
    double sd = 0;  // sample SD (divisor n − 1); 0 for a constant group
    double se = 0;
    double ciLower = 0, ciUpper = 0;  // mean ± t(0.975, n − 1)·SE
    double median = 0;
    double min = 0, max = 0;
};

// n ≥ 2 finite values.
GroupSummary SummariseGroup(std::span<const double> values);

// Grubbs' two-sided test of the value farthest from the mean.
struct GrubbsCheck {
    bool tested = false;
    std::string why;     // when not tested
    int position = 0;    // 0-based, in row order
    double value = 0;
    double g = 0;
    double critical = 0;  // two-sided 5% point
    double p = 0;
    bool outlier = false;  // p ≤ 0.05
};
GrubbsCheck CheckOutlier(std::span<const double> values, const GroupSummary& summary);

struct NormalityCheck {
    std::optional<numeric::ShapiroWilk> test;
    std::string why;  // when not tested
};
NormalityCheck CheckNormality(std::span<const double> values);

}  // namespace tavelmark::multigroup
