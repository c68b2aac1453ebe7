#include "analyses/means/descriptive_statistics.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "numeric/finite.h"
#include "numeric/normal_quantile.h"
#include "numeric/worksheet_functions.h"

namespace tavelmark::means {

namespace wsf = numeric::wsf;

namespace {

std::optional<double> HalfWidth(std::optional<double> sd, double multiplier, int n) {
    if (!sd || n < 1) return std::nullopt;
    const double w = *sd * multiplier / std::sqrt(static_cast<double>(n));
    return numeric::Finite(w);
}

// The values in ascending order, or nothing when one is not finite: NaN has no
// place in an order, and every order statistic refuses such a group anyway.
std::vector<double> SortedIfFinite(std::span<const double> values) {
    if (!std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); }))
        return {};
    std::vector<double> sorted(values.begin(), values.end());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

}  // namespace

GroupDescription DescribeGroup(std::span<const double> values) {
    GroupDescription d;
    d.n = static_cast<int>(values.size());
    d.mean = wsf::Average(values);
    d.sd = wsf::Stdev(values);
    d.maximum = wsf::Max(values);
    d.minimum = wsf::Min(values);
    // MEDIAN, the quartiles and MODE share one sorted copy instead of sorting
    // one each: on the largest groups the sorting was most of the time spent.
    const std::vector<double> sorted = SortedIfFinite(values);
    d.median = wsf::MedianOfSorted(sorted);
    d.lowerQuartile = wsf::PercentileOfSorted(sorted, 0.25);
    d.upperQuartile = wsf::PercentileOfSorted(sorted, 0.75);
    d.mode = sorted.size() == values.size() ? wsf::ModeOfSorted(values, sorted) : std::nullopt;
    d.harmonicMean = wsf::Harmean(values);
    d.geometricMean = wsf::Geomean(values);
    d.skewness = wsf::Skew(values);
    d.kurtosis = wsf::Kurt(values);
    d.halfWidth95 = HalfWidth(d.sd, numeric::kNormal95MultiplierNineDecimals, d.n);
    d.halfWidth99 = HalfWidth(d.sd, numeric::kNormal99Multiplier, d.n);
    return d;
}

}  // namespace tavelmark::means
